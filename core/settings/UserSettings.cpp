#include "core/settings/UserSettings.h"

#include "core/codeplug/Frequency.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace hx {
namespace {

constexpr std::string_view kSection = "Setting";
constexpr std::string_view kSerialTraceKey = "SerialTrace";
constexpr std::string_view kVerifyKey = "VerifyAfterWrite";
constexpr std::string_view kBackupKey = "BackupBeforeWrite";
constexpr std::string_view kPatienceKey = "AnswerPatience";
constexpr std::string_view kSettleKey = "SettleTime";

std::string_view Trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

std::optional<BgrColour> ParseColour(std::string_view text) {
    text = Trim(text);
    int base = 10;
    if (text.size() > 2 && text[0] == '&' && (text[1] == 'H' || text[1] == 'h'))
        base = 16;
    else if (text.size() > 2 && text[0] == '&' && (text[1] == 'O' || text[1] == 'o'))
        base = 8;
    if (base != 10)
        text.remove_prefix(2);
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return BgrColour{value & 0xFFFFFF};
}

std::optional<bool> ParseBoolean(std::string_view text) {
    if (EqualsIgnoringCase(Trim(text), "True"))
        return true;
    if (EqualsIgnoringCase(Trim(text), "False"))
        return false;
    if (const auto number = ParseNumber(text))
        return *number != 0.0;
    return std::nullopt;
}

std::optional<int> ParseWholeNumber(std::string_view text) {
    const auto number = ParseNumber(text);
    if (!number)
        return std::nullopt;
    const double rounded = RoundHalfEven(*number);
    if (!(std::abs(rounded) <= std::numeric_limits<int>::max()))
        return std::nullopt;
    return static_cast<int>(rounded);
}

bool MarksOutOfBand(std::string_view text) {
    return ParseBoolean(text).value_or(true);
}

std::optional<SettingColours> ReadColours(const ProfileContents& profile) {
    const ProfileSection& setting = profile.section(kSection);
    const auto read = [&](std::string_view key, std::string_view fallback) {
        return ParseColour(setting.read(key, fallback, 8));
    };
    const auto full = read("ColorFull", "&HCADCEC");
    const auto textText = read("ColorTextText", "&HCADCE7");
    const auto text = read("ColorText", "&HCACEDF");
    const auto hint = read("ColorHint", "&H0000FF");
    const auto black = read("ColorBlack", "&H000000");
    if (!full || !textText || !text || !hint || !black)
        return std::nullopt;
    return SettingColours{*full, *textText, *text, *hint, *black};
}

std::optional<StoredSettings> ReadSettings(const ProfileContents& profile) {
    const ProfileSection& setting = profile.section(kSection);
    const auto read = [&](std::string_view key, std::string_view fallback, std::size_t room) {
        return setting.read(key, fallback, room);
    };
    StoredSettings s;
    const auto bandCheckOn = ParseBoolean(read("ValLegal", "True", 5));
    s.outOfBandMarking = MarksOutOfBand(read("OverFreFont", "True", 5));
    const auto notLimited = ParseBoolean(read("NotLimitedModel", "False", 5));
    const auto language = ParseWholeNumber(read("Language", "a", 1));
    const auto com = ParseWholeNumber(read("COM", "1", 2));
    const auto subModel = ParseWholeNumber(read("Model", "1", 2));
    s.path = read("Path", "", 299);
    const auto txEqualsRx = ParseWholeNumber(read("FreEqual", "1", 1));
    if (!bandCheckOn || !notLimited || !language || !com || !subModel || !txEqualsRx)
        return std::nullopt;
    s.bandCheckOn = *bandCheckOn;
    s.notLimitedModel = *notLimited;
    s.language = *language == 1 ? Language::Chinese : Language::English;
    s.portNumber = *com;
    s.subModel = *subModel;
    s.txEqualsRx = (*txEqualsRx == 0 || *txEqualsRx == 1) ? *txEqualsRx : 1;
    return s;
}

namespace {
// An option that is off unless stored True; a text of another kind leaves it off.
bool ReadOption(const ProfileContents& profile, std::string_view key) {
    return ParseBoolean(profile.section(kSection).read(key, "False", 5)).value_or(false);
}
} // namespace

bool ReadSerialTrace(const ProfileContents& profile) {
    return ReadOption(profile, kSerialTraceKey);
}

WriteProof ReadWriteProof(const ProfileContents& profile) {
    return {ReadOption(profile, kVerifyKey), ReadOption(profile, kBackupKey)};
}

LinkWaits ReadLinkWaits(const ProfileContents& profile) {
    const auto read = [&](std::string_view key, std::chrono::milliseconds fallback) {
        const auto ms = ParseWholeNumber(profile.section(kSection).read(key, "", 9));
        return ms && *ms >= 0 ? std::chrono::milliseconds(*ms) : fallback;
    };
    return {PatienceOf(read(kPatienceKey, kDefaultPatience)), read(kSettleKey, kDefaultSettle)};
}

bool SettingsStore::writeFirstStart(Language language) const {
    const ProfileFile::Entries entries{
        {"Language", language == Language::Chinese ? "1" : "2"},
        {"COM", "1"},
        {"Path", ""},
        {"Model", "1"},
        {"FreEqual", "1"},
        {"ValLegal", "True"},
        {"NotLimitedModel", "True"},
        {"ColorFull", "&HD8DBE4"},
        {"ColorText", "&HDDDEE4"},
        {"ColorTextText", "&HFFFFFF"},
    };
    return profile_.write(kSection, entries);
}

bool SettingsStore::store(const StoreSet& set) const {
    const ProfileFile::Entries entries{
        {"Language", set.language == Language::Chinese ? "1" : "2"},
        {"COM", std::to_string(set.portNumber)},
        {"Path", set.path},
        {"Model", std::to_string(set.subModel)},
        {"ValLegal", set.bandCheckOn ? "True" : "False"},
    };
    return profile_.write(kSection, entries);
}

bool SettingsStore::storeTxEqualsRx(bool checked) const {
    return profile_.write(kSection, "FreEqual", checked ? "1" : "0");
}

bool SettingsStore::storeSerialTrace(bool on) const {
    return profile_.write(kSection, kSerialTraceKey, on ? "True" : "False");
}

bool SettingsStore::storeWriteProof(const WriteProof& proof) const {
    return profile_.write(kSection, ProfileFile::Entries{
                                        {std::string(kVerifyKey), proof.verify ? "True" : "False"},
                                        {std::string(kBackupKey), proof.backup ? "True" : "False"},
                                    });
}

SettingsOutcome ReadOrStoreSettings(const SettingsStore& store, bool storing,
                                    bool startupInProgress, const StoreSet& set,
                                    const std::function<Language()>& chooseLanguage) {
    SettingsOutcome outcome;
    const ProfileContents stored = store.load();
    outcome.colours = ReadColours(stored);
    if (outcome.colours) {
        if (storing && !startupInProgress) {
            store.store(set); // a folder that cannot be written loses nothing but the store
            return outcome;
        }
        outcome.settings = ReadSettings(stored);
        if (outcome.settings)
            return outcome;
    }
    // Only the first start (or a damaged profile) gets here.
    outcome.firstStart = true;
    store.writeFirstStart(chooseLanguage());
    outcome.settings = ReadSettings(store.load());
    outcome.failed = !outcome.settings;
    return outcome;
}

} // namespace hx
