#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace hx {

// A frequency in MHz. The arithmetic on it stays in IEEE doubles, exactly as the
// radio tool has always done it, so that snapped values and stored digits agree.
struct Mhz {
    double value = 0.0;
    auto operator<=>(const Mhz&) const = default;
};

inline constexpr Mhz kChannelStep{0.0125};
inline constexpr int kChannelStepTensOfHz = 1250;
inline constexpr double kTensOfHzPerMhz = 100000.0;
inline constexpr Mhz kBand446Offset{0.00625};
inline constexpr Mhz kBand446Low{446.00625};
inline constexpr Mhz kBand446High{446.09375};
// Without the band check, entries outside [100, 999) MHz are not taken as frequencies;
// the radio cannot store them either.
inline constexpr double kLowestPlausibleMhz = 100.0;
inline constexpr double kHighestPlausibleMhz = 999.0;
inline constexpr std::string_view kBand446Text = "446.00625-446.09375MHz";

// Rounds to the nearest whole number, exact halves to the even neighbour.
double RoundHalfEven(double value);

// Onto the 12.5 kHz raster.
Mhz SnapToStep(Mhz f);
// Onto 446.00625 + n x 12.5 kHz.
Mhz SnapTo446(Mhz f);

// A number with exactly `decimals` decimals, correctly rounded, always with a decimal
// point: the C library's printf and strtod follow the locale, which the GUI toolkit
// sets from the user's (a German desktop would write "450,01250").
std::string FormatFixed(double value, int decimals);

// The "000.00000" form: at least three integer digits, exactly five decimals, rounded.
std::string FormatFrequency(Mhz f);

// The general numeric test of the edit boxes: surrounding blanks, a sign, a decimal
// point and an exponent are accepted; an empty text is not a number. The locale
// plays no part.
std::optional<double> ParseNumber(std::string_view text);

// A frequency as the user types it: the numeric test above, where a decimal comma,
// written by many keyboards and locales, counts as the decimal point.
std::optional<double> ParseFrequencyText(std::string_view text);

// A sub-model band: its edges as whole numbers.
struct Band {
    int low = 0;
    int high = 0;
    // The 446 MHz band, whose channels sit 6.25 kHz off the plain raster.
    bool is446() const { return low == 446 && high == 446; }
    Mhz snap(Mhz f) const { return is446() ? SnapTo446(f) : SnapToStep(f); }
};

// The band of a sub-model from its edge texts, or nothing when an edge is not a number.
std::optional<Band> BandFromEdges(std::string_view lowEdge, std::string_view highEdge);

} // namespace hx
