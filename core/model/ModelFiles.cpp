#include "core/model/ModelFiles.h"

#include <charconv>

namespace hx {

bool IsKnownModelCode(int modelCode) {
    return modelCode == 7100 || modelCode == 7200 || modelCode == 7400;
}

std::optional<int> ReadModelCode(const ProfileFile& settingsFile) {
    const std::string text = settingsFile.read("Config", "Type", "7200", 14);
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

ModelFileNames ModelFileNamesFor(int modelCode) {
    const std::string number = std::to_string(modelCode);
    return {"Config_" + number + ".ini", "QTDQT_" + number + ".ini", "EngHELP_" + number + ".chm",
            "CHSHELP_" + number + ".chm"};
}

ModelData LoadModelData(const std::filesystem::path& settingDir, int modelCode) {
    // An unknown series uses the 7200 files but keeps its own code.
    const ModelFileNames names = ModelFileNamesFor(ModelSeries(modelCode));
    ModelData data;
    data.modelCode = modelCode;
    data.profile = LoadModelProfile(ProfileFile(settingDir / names.profile).load());
    data.tones = LoadToneTable(ProfileFile(settingDir / names.tones).load(), modelCode);
    return data;
}

} // namespace hx
