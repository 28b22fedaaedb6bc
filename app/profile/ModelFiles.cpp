#include "app/profile/ModelFiles.h"

namespace hx {

bool IsKnownModelCode(int modelCode) {
    return modelCode == 7100 || modelCode == 7200 || modelCode == 7400;
}

ModelFileNames ModelFileNamesFor(int modelCode) {
    const std::string number = std::to_string(modelCode);
    return {"Config_" + number + ".ini", "QTDQT_" + number + ".ini"};
}

ModelData LoadModelData(const std::filesystem::path& settingDir, int modelCode) {
    const ModelFileNames names = ModelFileNamesFor(modelCode);
    ModelData data;
    data.modelCode = modelCode;
    data.profile = LoadModelProfile(ProfileFile(settingDir / names.profile));
    data.tones = LoadToneTable(ProfileFile(settingDir / names.tones), modelCode);
    return data;
}

} // namespace hx
