#include "core/image/ImageDecoder.h"

#include "core/codeplug/Frequency.h"
#include "core/image/ImageEncoder.h"
#include "core/texts/Texts.h"

#include <cstdio>
#include <functional>

namespace hx {
namespace {

constexpr int kBcdOfFF = 165; // what 0xFF turns into when read as packed BCD
constexpr int kInvertedToneRaise = 30;

// What the option byte of a channel record says.
struct ChannelOptions {
    int wideNarrow = 0; // 0 wide, 1 narrow
    int busyLockout = 0;
    int shift = 0;
};

std::optional<ChannelOptions> DecodeOptionByte(std::uint8_t byte) {
    if (byte < 0xF8)
        return std::nullopt;
    const int bits = byte - 0xF8;
    return ChannelOptions{(bits & 4) ? 1 : 0, (bits & 1) ? 0 : 1, (bits & 2) ? 0 : 1};
}

// Fills one cell in both languages.
class CellWriter {
public:
    explicit CellWriter(DecodeResult& result) : result_(result) {}

    void put(int channel, Field field, const std::function<std::string(Language)>& text) {
        const auto f = static_cast<int>(field);
        result_.cellsChinese[channel][f] = text(Language::Chinese);
        result_.cellsEnglish[channel][f] = text(Language::English);
    }
    void clear(int channel, Field field) {
        put(channel, field, [](Language) { return std::string(); });
    }
    void putWord(int channel, Field field, Text word) {
        put(channel, field, [word](Language l) { return std::string(TextOf(word).in(l)); });
    }

private:
    DecodeResult& result_;
};

class ImageDecoder {
public:
    ImageDecoder(const MemoryImage& image, const DecoderContext& context,
                 const DecoderState& before)
        : context_(context), cells_(result_) {
        result_.state = before;
        result_.convertedImage = image;
    }

    DecodeResult run() {
        selectSubModel();
        decodeBeepAndSave();
        decodeSquelch();
        decodeMonitorKey();
        decodeTimeOut();
        for (int c = 0; c < kChannelCount; ++c)
            decodeChannel(c);
        return std::move(result_);
    }

private:
    std::uint8_t& byte(std::size_t offset) { return result_.convertedImage[offset]; }
    FunctionPositions& functions() { return result_.state.functions; }
    ChannelTable& channels() { return result_.state.channels; }

    // A sub-model other than the one in use costs the code plug, as when the user
    // picks it; an unknown band code falls back to the first sub-model that way too.
    void selectSubModel() {
        const int count = context_.profile.subModelCount;
        int found = -1;
        for (int s = 0; s < count; ++s) {
            if (context_.profile.bandCode(s) == byte(kBandCodeOffset)) {
                found = s;
                break;
            }
        }
        auto& selected = result_.state.subModel;
        if (found == selected)
            return;
        if (found == -1)
            found = count > 0 ? 0 : -1;
        selected = found;
        result_.subModelChanged = true;
        functions() = context_.profile.functionDefaults;
        channels().clear();
    }

    void decodeBeepAndSave() {
        int beep = -1;
        int save = -1;
        switch (byte(kBeepAndSaveOffset)) {
        case 0xFC:
            beep = 1, save = 1;
            break;
        case 0xFD:
            beep = 0, save = 1;
            break;
        case 0xFE:
            beep = 1, save = 0;
            break;
        case 0xFF:
            beep = 0, save = 0;
            break;
        default:
            break;
        }
        functions()[FunctionSetting::BeepTone] = beep;
        functions()[FunctionSetting::BatterySave] = save;
    }

    bool is7100() const { return context_.modelCode == 7100; }

    void decodeSquelch() {
        auto& level = byte(kSquelchOffset);
        const int lowest = is7100() ? 1 : 0;
        if (level < lowest || level > 9) {
            functions()[FunctionSetting::SquelchLevel] = -1;
            return;
        }
        if (is7100())
            --level; // the 7100 list starts at level 1
        functions()[FunctionSetting::SquelchLevel] = level;
    }

    void decodeMonitorKey() {
        const int key = byte(kMonitorKeyOffset);
        int position = -1;
        if (key < 4)
            position = is7100() ? (key == 0 ? 1 : 0) : key;
        functions()[FunctionSetting::MonitorKey] = position;
    }

    void decodeTimeOut() {
        const int timeOut = byte(kTimeOutOffset);
        functions()[FunctionSetting::TimeOutTimer] = timeOut >= 11 ? -1 : timeOut;
    }

    void decodeChannel(int c) {
        const std::size_t r = ChannelRecordOffset(c);
        if (byte(r + 14) == 0xFF || byte(r + 13) == 0xFF) {
            channels().clearChannel(c);
            for (int f = 0; f < kFieldCount; ++f)
                cells_.clear(c, static_cast<Field>(f));
            return;
        }
        result_.inUse[c] = true;
        decodeOptions(c, byte(r + 12));
        for (std::size_t i = 0; i < 12; ++i)
            byte(r + i) = static_cast<std::uint8_t>(FromPackedBcd(byte(r + i)));
        const bool noTransmit = byte(r + 7) == kBcdOfFF;
        decodeTone(c, Field::TxTone, r + 11, r + 10, noTransmit);
        decodeTone(c, Field::RxTone, r + 9, r + 8, false);
        if (noTransmit) {
            cells_.clear(c, Field::TxFrequency);
            channels().setValue(c, Field::TxFrequency, EmptyValue);
        } else {
            decodeFrequency(c, Field::TxFrequency, r + 4);
        }
        decodeFrequency(c, Field::RxFrequency, r);
    }

    // A corrupt option byte repeats what the previous channel said.
    void decodeOptions(int c, std::uint8_t optionByte) {
        if (const auto options = DecodeOptionByte(optionByte))
            lastOptions_ = *options;
        functions()[FunctionSetting::WideNarrow] = lastOptions_.wideNarrow;
        setSwitch(c, Field::BusyLockout, lastOptions_.busyLockout);
        setSwitch(c, Field::Shift, lastOptions_.shift);
    }

    void setSwitch(int c, Field field, int on) {
        channels().setValue(c, field, on);
        cells_.putWord(c, field, on == 1 ? Text::Yes : Text::No);
    }

    // An encode tone without a transmit frequency is no tone at all; a decode tone
    // with blank bytes is "no tone".
    void decodeTone(int c, Field field, std::size_t highOffset, std::size_t lowOffset,
                    bool blankMeansUnset) {
        auto& high = byte(highOffset);
        const int low = byte(lowOffset);
        if (high == kBcdOfFF || low == kBcdOfFF) {
            if (blankMeansUnset) {
                cells_.clear(c, field);
                channels().setValue(c, field, EmptyValue);
            } else {
                cells_.putWord(c, field, Text::NoTone);
                channels().setValue(c, field, 0);
            }
            return;
        }
        if (high >= 120)
            high = static_cast<std::uint8_t>(high - kInvertedToneRaise);
        char code[16];
        std::snprintf(code, sizeof code, "%02d%02d", static_cast<int>(high), low);
        const auto position = context_.tones.positionOfCode(code);
        if (!position) {
            cells_.clear(c, field); // an unknown code keeps the field as it was
            return;
        }
        channels().setValue(c, field, *position);
        cells_.put(c, field, [&](Language l) { return context_.tones.displayText(*position, l); });
    }

    // Four bytes, now plain numbers, least significant first.
    void decodeFrequency(int c, Field field, std::size_t first) {
        const double mhz = byte(first + 3) * 10.0 + byte(first + 2) / 10.0 +
                           byte(first + 1) / 1000.0 + byte(first) / 100000.0;
        const std::string text = FormatFrequency(Mhz{mhz});
        cells_.put(c, field, [&](Language) { return text; });
        channels().setValue(c, field, ParseNumber(text).value_or(EmptyValue));
    }

    const DecoderContext& context_;
    DecodeResult result_;
    CellWriter cells_;
    ChannelOptions lastOptions_;
};

} // namespace

DecoderState StartState(const ModelProfile& profile) {
    constexpr int kStoredSubModel = 1;
    DecoderState state;
    if (profile.subModelCount > 0)
        state.subModel = kStoredSubModel < profile.subModelCount ? kStoredSubModel : 0;
    state.functions = profile.functionDefaults;
    return state;
}

DecodeResult DecodeImage(const MemoryImage& image, const DecoderContext& context,
                         const DecoderState& before) {
    return ImageDecoder(image, context, before).run();
}

} // namespace hx
