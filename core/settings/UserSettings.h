#pragma once

#include "core/files/ProfileFile.h"
#include "core/production/ProvenWrite.h"
#include "core/texts/Language.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace hx {

// A colour as the settings file writes it: "&H" and six hex digits blue, green, red.
struct BgrColour {
    std::uint32_t value = 0;
    int red() const { return static_cast<int>(value & 0xFF); }
    int green() const { return static_cast<int>((value >> 8) & 0xFF); }
    int blue() const { return static_cast<int>((value >> 16) & 0xFF); }
    bool operator==(const BgrColour&) const = default;
};

struct SettingColours {
    BgrColour full{0xCADCEC};     // frames, panels, labels, buttons
    BgrColour textText{0xCADCE7}; // cells of a stored channel
    BgrColour text{0xCACEDF};     // empty cells
    BgrColour hint{0x0000FF};     // text of an out-of-range frequency
    BgrColour black{0x000000};    // normal cell text
    bool operator==(const SettingColours&) const = default;
};

// Section Setting of a model profile, as read at start-up.
struct StoredSettings {
    bool bandCheckOn = true;
    bool outOfBandMarking = true; // an out-of-band frequency is kept and marked
    bool notLimitedModel = false;
    Language language = Language::English;
    int portNumber = 1;
    int subModel = 1; // may be out of the list's range; the window decides
    std::string path;
    int txEqualsRx = 1; // 0 or 1
};

// What every store rewrites together.
struct StoreSet {
    Language language = Language::Chinese;
    int portNumber = 1;
    std::string path;
    int subModel = -1;
    bool bandCheckOn = true;
};

// The conversions of setting texts; nothing when a text is not of its kind.
std::optional<BgrColour> ParseColour(std::string_view text);
std::optional<bool> ParseBoolean(std::string_view text);
std::optional<int> ParseWholeNumber(std::string_view text);
// "True", "False" or a number; anything else counts as True.
bool MarksOutOfBand(std::string_view text);

// Section Setting of a loaded profile. The colours: nothing when a colour text is not
// a number. The settings: nothing when a text is not of its kind, a missing Language
// (the first start) among them.
std::optional<SettingColours> ReadColours(const ProfileContents& profile);
std::optional<StoredSettings> ReadSettings(const ProfileContents& profile);
// Whether each transfer keeps a serial trace; off unless the profile says True. A text
// of another kind leaves it off rather than starting over.
bool ReadSerialTrace(const ProfileContents& profile);

// What a write does besides writing: read the radio back and compare, and read and
// keep the radio's memory first. Both off unless the profile says True, so that a
// write stays the plain one until the user asks for more.
struct WriteProof {
    bool verify = false;
    bool backup = false;
    bool operator==(const WriteProof&) const = default;
};
WriteProof ReadWriteProof(const ProfileContents& profile);

// How long the link waits for the radio, in milliseconds: for each answer
// (AnswerPatience, at least 50) and for a radio restarting after it was programmed
// before it is read back (SettleTime). A missing or unreadable value gives the default.
struct LinkWaits {
    std::chrono::milliseconds patience = kDefaultPatience;
    std::chrono::milliseconds settle = kDefaultSettle;
};
LinkWaits ReadLinkWaits(const ProfileContents& profile);

// Reads and writes section Setting of one model series' profile file.
class SettingsStore {
public:
    explicit SettingsStore(ProfileFile profile) : profile_(std::move(profile)) {}

    ProfileContents load() const { return profile_.load(); }
    // The complete first set of settings, in the order a first start writes it.
    bool writeFirstStart(Language language) const;
    bool store(const StoreSet& set) const;
    bool storeTxEqualsRx(bool checked) const;
    bool storeSerialTrace(bool on) const;
    bool storeWriteProof(const WriteProof& proof) const;

private:
    ProfileFile profile_;
};

// The outcome of reading (or storing) the settings.
struct SettingsOutcome {
    std::optional<SettingColours> colours;  // nothing: keep the colours in force
    std::optional<StoredSettings> settings; // nothing when this was a store
    bool firstStart = false;                // the language chooser was shown
    bool failed = false;                    // even the first-start set could not be read
};

// Reads the colours, then either stores `set` (a store outside start-up) or reads
// the settings; a text of the wrong kind runs the first start: `chooseLanguage` is
// asked, the first set written and read again.
SettingsOutcome ReadOrStoreSettings(const SettingsStore& store, bool storing,
                                    bool startupInProgress, const StoreSet& set,
                                    const std::function<Language()>& chooseLanguage);

} // namespace hx
