#include "core/codeplug/Frequency.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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

std::string FormatFrequency(Mhz f) {
    char text[64];
    std::snprintf(text, sizeof text, "%09.5f", f.value);
    return text;
}

std::optional<double> ParseNumber(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::nullopt;
    const auto last = text.find_last_not_of(" \t");
    const std::string trimmed(text.substr(first, last - first + 1));
    // Only decimal spellings: strtod would also take hexadecimal, "inf" and "nan".
    if (trimmed.find_first_not_of("+-.0123456789eE") != std::string::npos)
        return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(trimmed.c_str(), &end);
    if (end != trimmed.c_str() + trimmed.size() || errno == ERANGE)
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
