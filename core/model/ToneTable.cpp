#include "core/model/ToneTable.h"

#include "core/codeplug/Frequency.h"
#include "core/texts/Texts.h"

#include <cmath>

namespace hx {

ToneDimensions ToneDimensionsFor(int modelCode) {
    if (modelCode == 7100)
        return {39, 39, 39, false};
    return {38, 39, 204, true};
}

std::optional<int> ToneTable::positionOfCode(std::string_view code) const {
    for (int p = 1; p <= dimensions.lastPosition && p < kToneTableSize; ++p)
        if (codes[static_cast<std::size_t>(p)] == code)
            return p;
    return std::nullopt;
}

namespace {

// A QT name is the tone in tenths of a hertz; it is shown in hertz with one decimal.
std::optional<std::string> QtDisplayText(const std::string& name) {
    const auto tenths = ParseNumber(name);
    if (!tenths)
        return std::nullopt;
    const double whole = RoundHalfEven(*tenths);
    if (whole < -32768 || whole > 32767)
        return std::nullopt;
    return FormatFixed(whole / 10.0, 1);
}

} // namespace

std::string ToneTable::displayText(int position, Language language) const {
    if (position <= 0 || position >= kToneTableSize)
        return std::string(TextOf(Text::NoTone).in(language));
    const std::string& name = names[static_cast<std::size_t>(position)];
    if (position <= dimensions.ctcssCount)
        return QtDisplayText(name).value_or(std::string());
    return name;
}

std::vector<std::string> ToneTable::listItems(Language language) const {
    std::vector<std::string> items{std::string(TextOf(Text::NoTone).in(language))};
    for (int p = 1; p <= dimensions.ctcssCount; ++p) {
        auto text = QtDisplayText(names[static_cast<std::size_t>(p)]);
        if (!text)
            return items;
        items.push_back(*text);
    }
    if (dimensions.dcsAvailable)
        for (int p = dimensions.firstDcsPosition; p <= dimensions.lastPosition; ++p)
            items.push_back(names[static_cast<std::size_t>(p)]);
    return items;
}

} // namespace hx
