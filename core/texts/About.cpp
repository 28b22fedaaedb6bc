#include "core/texts/About.h"

#include "core/files/ModelFiles.h"

namespace hx {

AboutLines AboutLinesFor(int modelCode, Language language) {
    const std::string series = std::to_string(ModelSeries(modelCode));
    const std::string shortName = series.substr(0, 2); // 7200 -> 72
    const std::string models = "HX--6" + series.substr(1) + "/" + series;
    if (language == Language::Chinese)
        return {"QRW" + shortName + "系列对讲机编程软件", "用于 " + models};
    return {"QRW" + shortName + " Radio Programming Software", "For " + models};
}

std::vector<std::filesystem::path> HelpDocumentsFor(const std::filesystem::path& appFolder,
                                                    int modelCode, Language language) {
    const ModelFileNames names = ModelFileNamesFor(ModelSeries(modelCode));
    const std::filesystem::path compiled =
        appFolder / "Help" /
        (language == Language::Chinese ? names.helpChinese : names.helpEnglish);
    std::filesystem::path page = compiled;
    page.replace_extension(".html");
    return {compiled, page};
}

} // namespace hx
