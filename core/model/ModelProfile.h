#pragma once

#include "core/codeplug/CodePlug.h"
#include "core/files/ProfileContents.h"
#include "core/model/ToneTable.h"

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace hx {

inline constexpr int kMaxSubModels = 7;

// Texts of the window title and the About box, per language.
struct ProfileTitles {
    std::string titleChinese, titleEnglish, versionChinese, versionEnglish, releaseChinese,
        releaseEnglish;
};

// What a model series' profile file says about its sub-models and defaults.
struct ModelProfile {
    int subModelCount = 0;
    // Four texts per sub-model s at 4s..4s+3: name, band low edge, band high edge, band code.
    std::array<std::string, 30> subModelTable;
    // One band text per sub-model: "400-470MHz", or "446MHz" when both edges round alike.
    std::vector<std::string> bandTexts;
    // Eight numbers per sub-model s at 10s..10s+7.
    std::array<int, 101> subModelBytes{};
    ProfileTitles titles;
    FunctionPositions functionDefaults;

    const std::string& subModelName(int s) const { return subModelTable.at(4 * s); }
    const std::string& lowEdgeText(int s) const { return subModelTable.at(4 * s + 1); }
    const std::string& highEdgeText(int s) const { return subModelTable.at(4 * s + 2); }
    // The band code as a whole number, or nothing when its text is not a number.
    std::optional<int> bandCode(int s) const;
};

// Why a profile could not be loaded.
class ProfileError : public std::runtime_error {
public:
    enum class Kind { TooManySubModels, BadSubModelCount, BadBandEdge, BadSubModelByte };
    ProfileError(Kind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

// Loads sections Model, Title and Default; missing files and keys take the built-in
// defaults. Throws ProfileError for the failures that stop the loading.
ModelProfile LoadModelProfile(const ProfileContents& profile);

// Loads the tone codes (section QTDQT) and tone names (section QTDQTList) of a model.
ToneTable LoadToneTable(const ProfileContents& toneFile, int modelCode);

// Band text from two edge texts: each rounded to a whole number, halves to even.
std::string BandText(const std::string& lowEdge, const std::string& highEdge);

} // namespace hx
