#include "core/model/ModelProfile.h"

#include "core/codeplug/Frequency.h"

#include <string>

namespace hx {

namespace {

// A profile value that must be a whole number; the loading stops on anything else.
int WholeNumber(const std::string& text, ProfileError::Kind kind, const std::string& what) {
    const auto value = ParseNumber(text);
    if (!value || *value < -32768 || *value > 32767)
        throw ProfileError(kind, what + " is not a number: '" + text + "'");
    return static_cast<int>(RoundHalfEven(*value));
}

std::string Key(int number) {
    return std::to_string(number);
}

} // namespace

std::optional<int> ModelProfile::bandCode(int s) const {
    if (s < 0 || s >= kMaxSubModels)
        return std::nullopt;
    const auto value = ParseNumber(subModelTable[static_cast<std::size_t>(4 * s + 3)]);
    if (!value || *value < -1e9 || *value > 1e9)
        return std::nullopt;
    return static_cast<int>(RoundHalfEven(*value));
}

std::string BandText(const std::string& lowEdge, const std::string& highEdge) {
    const std::string low =
        std::to_string(WholeNumber(lowEdge, ProfileError::Kind::BadBandEdge, "band edge"));
    const std::string high =
        std::to_string(WholeNumber(highEdge, ProfileError::Kind::BadBandEdge, "band edge"));
    return low == high ? low + "MHz" : low + "-" + high + "MHz";
}

ModelProfile LoadModelProfile(const ProfileContents& file) {
    ModelProfile profile;
    const ProfileSection& model = file.section("Model");
    const int count = WholeNumber(model.read("ModCnt", "4", 8),
                                  ProfileError::Kind::BadSubModelCount, "sub-model count");
    if (count > kMaxSubModels)
        throw ProfileError(ProfileError::Kind::TooManySubModels,
                           "the profile names " + std::to_string(count) +
                               " sub-models; at most 7 are possible");
    profile.subModelCount = count < 0 ? 0 : count;

    for (int i = 0; i < 4 * profile.subModelCount; ++i)
        profile.subModelTable[static_cast<std::size_t>(i)] = model.read(Key(i), "7400", 14);
    for (int s = 0; s < profile.subModelCount; ++s)
        profile.bandTexts.push_back(BandText(profile.lowEdgeText(s), profile.highEdgeText(s)));
    for (int s = 0; s < profile.subModelCount; ++s)
        for (int k = 0; k < 8; ++k)
            profile.subModelBytes[static_cast<std::size_t>(10 * s + k)] =
                WholeNumber(model.read(Key(100 + 10 * s + k), "0", 5),
                            ProfileError::Kind::BadSubModelByte, "sub-model byte");

    const ProfileSection& title = file.section("Title");
    auto& t = profile.titles;
    t.titleChinese = title.read("ChsTitle", "QRW74系列对讲机编程软件 V1.0", 49);
    t.titleEnglish = title.read("EngTitle", "QRW74 Radio Programming Software V1.0", 49);
    t.versionChinese = title.read("ChsVer", "中英文版：V1.0", 49);
    t.versionEnglish = title.read("EngVer", "Version: V1.0", 49);
    t.releaseChinese = title.read("ChsRelease", "发布时间：2006.01", 49);
    t.releaseEnglish = title.read("EngRelease", "Release: 2006.01", 49);

    // Only the first character of a default counts: it is one digit.
    const ProfileSection& defaults = file.section("Default");
    const auto digit = [&](const char* key, const char* fallback) {
        const std::string text = defaults.read(key, fallback, 1);
        return text.size() == 1 && text[0] >= '0' && text[0] <= '9' ? text[0] - '0' : -1;
    };
    auto& d = profile.functionDefaults;
    d[FunctionSetting::BeepTone] = digit("ToneHint", "0");
    d[FunctionSetting::SquelchLevel] = digit("Sql", "6");
    d[FunctionSetting::MonitorKey] = digit("MoniKey", "3");
    d[FunctionSetting::TimeOutTimer] = digit("TimeOut", "2");
    d[FunctionSetting::BatterySave] = digit("BatSave", "1");
    d[FunctionSetting::WideNarrow] = digit("WideNarrow", "1");
    return profile;
}

ToneTable LoadToneTable(const ProfileContents& file, int modelCode) {
    ToneTable tones;
    tones.dimensions = ToneDimensionsFor(modelCode);
    const ProfileSection& codes = file.section("QTDQT");
    const ProfileSection& names = file.section("QTDQTList");
    // Each position's key is also its default; position 0 has a code but no name.
    for (int p = 0; p <= tones.dimensions.lastPosition; ++p) {
        const std::string key = Key(p);
        const auto at = static_cast<std::size_t>(p);
        tones.codes[at] = codes.read(key, key, 4);
        if (p > 0)
            tones.names[at] = names.read(key, key, 8);
    }
    return tones;
}

} // namespace hx
