#include "core/codeplug/Frequency.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace hx {

double RoundHalfEven(double value) {
    // nearbyint follows the current rounding mode, which is round-to-nearest-even
    // unless someone changed it; the radio tool has always rounded this way.
    return std::nearbyint(value);
}

Mhz SnapToStep(Mhz f) {
    const double n = RoundHalfEven(f.value * kTensOfHzPerMhz);
    const double m = RoundHalfEven(n / kChannelStepTensOfHz);
    return Mhz{m * kChannelStep.value};
}

Mhz SnapTo446(Mhz f) {
    const double n = RoundHalfEven((f.value - kBand446Offset.value) * kTensOfHzPerMhz);
    const double m = RoundHalfEven(n / kChannelStepTensOfHz);
    return Mhz{m * kChannelStep.value + kBand446Offset.value};
}

std::string FormatFixed(double value, int decimals) {
    char text[400]; // room for the largest double in full
    const auto [end, error] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return error == std::errc{} ? std::string(text, end) : std::string();
}

std::string FormatFrequency(Mhz f) {
    std::string text = FormatFixed(f.value, 5);
    constexpr std::size_t kWidth = 9; // "000.00000"
    if (text.size() < kWidth)
        text.insert(text.front() == '-' ? 1 : 0, kWidth - text.size(), '0');
    return text;
}

std::optional<double> ParseNumber(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::nullopt;
    const auto last = text.find_last_not_of(" \t");
    const std::string trimmed(text.substr(first, last - first + 1));
    // Only decimal spellings, never "inf", "nan" or hexadecimal.
    if (trimmed.find_first_not_of("+-.0123456789eE") != std::string::npos)
        return std::nullopt;
    // from_chars takes no plus sign; one may stand before the number, as before a minus.
    std::string_view number = trimmed;
    if (number.front() == '+') {
        number.remove_prefix(1);
        if (number.empty() || number.front() == '+' || number.front() == '-')
            return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc{} || end != number.data() + number.size())
        return std::nullopt;
    return value;
}

std::optional<double> ParseFrequencyText(std::string_view text) {
    std::string pointed(text);
    std::replace(pointed.begin(), pointed.end(), ',', '.'); // a second separator stays refused
    return ParseNumber(pointed);
}

std::optional<Band> BandFromEdges(std::string_view lowEdge, std::string_view highEdge) {
    const auto low = ParseNumber(lowEdge);
    const auto high = ParseNumber(highEdge);
    if (!low || !high || std::abs(*low) > 1e9 || std::abs(*high) > 1e9)
        return std::nullopt;
    return Band{static_cast<int>(RoundHalfEven(*low)), static_cast<int>(RoundHalfEven(*high))};
}

} // namespace hx
