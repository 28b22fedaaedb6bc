#include "core/model/About.h"

#include "core/model/ModelFiles.h"
#include "core/texts/Texts.h"

namespace hx {

AboutLines AboutLinesFor(int modelCode, Language language) {
    const std::string series = std::to_string(ModelSeries(modelCode));
    const std::string shortName = series.substr(0, 2); // 7200 -> 72
    const std::string models = "HX--6" + series.substr(1) + "/" + series;
    return {FillText(TextOf(Text::AboutProgram).in(language), {shortName}),
            FillText(TextOf(Text::AboutModels).in(language), {models})};
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
