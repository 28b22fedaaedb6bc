#include "core/image/ImageEncoder.h"

#include "core/codeplug/Frequency.h"

#include <string>

namespace hx {

namespace {

constexpr std::uint8_t kBlankOptionByte = 0xFB;

std::uint8_t Byte(int value) {
    return static_cast<std::uint8_t>(value);
}

bool IsOnOrUnset(int position) {
    return position == 0 || position == -1;
}

// Two characters of a tone code read as a decimal number; anything else counts as 0.
int CodeDigits(const std::string& code, std::size_t from) {
    const auto value = ParseNumber(from < code.size() ? code.substr(from, 2) : std::string());
    if (!value || *value < 0 || *value > 99)
        return 0;
    return static_cast<int>(*value);
}

void EncodeTone(MemoryImage& image, std::size_t high, std::size_t low, double position,
                const ToneTable& tones) {
    const int p = static_cast<int>(position);
    if (p <= 0 || p >= kToneTableSize)
        return; // no tone: both bytes stay 0xFF
    const std::string& code = tones.codes[static_cast<std::size_t>(p)];
    int hh = CodeDigits(code, 0);
    if (p >= kInvertedDqtFirstPosition)
        hh += 30;
    image[high] = Byte(ToPackedBcd(hh));
    image[low] = Byte(ToPackedBcd(CodeDigits(code, 2)));
}

void EncodeSubModel(MemoryImage& image, const EncoderInput& input) {
    const int s = input.subModel;
    // Without a sub-model, or with a profile value that is no byte, the bytes stay blank
    // rather than carrying a truncated value the radio would misread.
    if (s < 0 || s >= kMaxSubModels)
        return;
    for (int k = 0; k < 8; ++k) {
        const int value = input.profile.subModelBytes[static_cast<std::size_t>(10 * s + k)];
        if (value >= 0 && value <= 255)
            image[kSubModelBytesOffset + static_cast<std::size_t>(k)] = Byte(value);
    }
    const auto band = input.profile.bandCode(s);
    image[kBandCodeOffset] = (band && *band >= 0 && *band <= 255) ? Byte(*band) : 0xFF;
}

void EncodeFunctions(MemoryImage& image, const EncoderInput& input) {
    const auto& f = input.functions;
    const bool is7100 = input.modelCode == 7100;

    image[kBeepAndSaveOffset] = Byte(0xFC + (IsOnOrUnset(f[FunctionSetting::BeepTone]) ? 1 : 0) +
                                     (IsOnOrUnset(f[FunctionSetting::BatterySave]) ? 2 : 0));

    const int sql = f[FunctionSetting::SquelchLevel];
    image[kSquelchOffset] = Byte(sql < 0 ? 5 : sql + (is7100 ? 1 : 0));

    const int moni = f[FunctionSetting::MonitorKey];
    int moniByte = moni < 0 ? 3 : moni;
    if (is7100 && moni >= 0)
        moniByte = moni == 0 ? 3 : 0;
    image[kMonitorKeyOffset] = Byte(moniByte);

    // The off item is stored as off; only a missing selection falls back to 60 seconds.
    const int timeOut = f[FunctionSetting::TimeOutTimer];
    image[kTimeOutOffset] = Byte(timeOut < 0 ? 2 : timeOut);
}

void EncodeChannel(MemoryImage& image, int channel, const EncoderInput& input) {
    const std::size_t r = ChannelRecordOffset(channel);
    const auto& table = input.channels;
    image[r + 13] = 0x01;
    image[r + 14] = 0x01;

    const int w = input.functions[FunctionSetting::WideNarrow];
    const double shift = table.value(channel, Field::Shift);
    const double busy = table.value(channel, Field::BusyLockout);
    const auto isBit = [](double v) { return v == 0.0 || v == 1.0; };
    if ((w == 0 || w == 1) && isBit(shift) && isBit(busy))
        image[r + 12] =
            Byte(0xF8 + 4 * w + 2 * (1 - static_cast<int>(shift)) + (1 - static_cast<int>(busy)));

    EncodeTone(image, r + 11, r + 10, table.value(channel, Field::TxTone), input.tones);
    EncodeTone(image, r + 9, r + 8, table.value(channel, Field::RxTone), input.tones);

    const double tx = table.value(channel, Field::TxFrequency);
    if (tx != EmptyValue) {
        const auto bytes = EncodeFrequency(tx);
        std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<long>(r + 4));
    }
    const auto rx = EncodeFrequency(table.value(channel, Field::RxFrequency));
    std::copy(rx.begin(), rx.end(), image.begin() + static_cast<long>(r));
}

} // namespace

std::array<std::uint8_t, 4> EncodeFrequency(double mhz) {
    if (!(mhz >= kLowestPlausibleMhz && mhz < kHighestPlausibleMhz))
        mhz = kLowestPlausibleMhz;
    // A frequency with at most five decimals lies within a rounding error of a whole
    // number of tens of hertz, so rounding recovers its exact digits.
    auto tensOfHz = static_cast<long long>(RoundHalfEven(mhz * kTensOfHzPerMhz));
    std::array<std::uint8_t, 4> bytes{};
    for (auto& byte : bytes) {
        byte = Byte(ToPackedBcd(static_cast<int>(tensOfHz % 100)));
        tensOfHz /= 100;
    }
    return bytes;
}

int HighestFunctionPosition(FunctionSetting setting, int modelCode) {
    const bool is7100 = modelCode == 7100;
    switch (setting) {
    case FunctionSetting::MonitorKey:
        return is7100 ? 1 : 3;
    case FunctionSetting::TimeOutTimer:
        return 10;
    case FunctionSetting::SquelchLevel:
        return is7100 ? 8 : 9;
    case FunctionSetting::BatterySave:
    case FunctionSetting::BeepTone:
    case FunctionSetting::WideNarrow:
        return 1;
    }
    return -1;
}

MemoryImage EncodeImage(const EncoderInput& input) {
    MemoryImage image = BlankImage();
    for (int i = 1; i <= kChannelCount; ++i)
        image[kChannelNumberListOffset + static_cast<std::size_t>(i - 1)] = Byte(i);
    EncodeSubModel(image, input);
    EncodeFunctions(image, input);
    for (int c = 0; c < kChannelCount; ++c)
        image[ChannelRecordOffset(c) + 12] = kBlankOptionByte;
    for (int c = 0; c < kChannelCount; ++c)
        if (input.channels.inUse(c))
            EncodeChannel(image, c, input);
    return image;
}

} // namespace hx
