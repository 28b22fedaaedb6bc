#pragma once

#include "core/files/ProfileFile.h"
#include "core/model/ModelProfile.h"
#include "core/model/ToneTable.h"

#include <filesystem>
#include <optional>
#include <string>

namespace hx {

// The model series the program knows; any other code is handled as the 7200.
inline constexpr int kDefaultModelCode = 7200;
bool IsKnownModelCode(int modelCode);
// The series whose files and check mark a model code uses.
inline int ModelSeries(int modelCode) {
    return IsKnownModelCode(modelCode) ? modelCode : kDefaultModelCode;
}

// The settings file and the model series it names to start with.
inline constexpr const char* kSettingsFileName = "ParaConfig.ini";
// The stored `Type`, or nothing when it is not a whole number.
std::optional<int> ReadModelCode(const ProfileFile& settingsFile);

// File names of a model series: the profile and tones inside the Setting folder,
// the help documents inside the Help folder.
struct ModelFileNames {
    std::string profile;     // "Config_7200.ini"
    std::string tones;       // "QTDQT_7200.ini"
    std::string helpEnglish; // "EngHELP_7200.chm"
    std::string helpChinese; // "CHSHELP_7200.chm"
};
ModelFileNames ModelFileNamesFor(int modelCode);

// Everything a model series brings along: its profile and its tone table.
struct ModelData {
    int modelCode = kDefaultModelCode;
    ModelProfile profile;
    ToneTable tones;
};

// Loads both files of a series from `settingDir`, each read once; throws ProfileError
// as LoadModelProfile.
ModelData LoadModelData(const std::filesystem::path& settingDir, int modelCode);

} // namespace hx
