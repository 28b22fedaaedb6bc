#pragma once

#include "core/texts/Language.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hx {

inline constexpr int kToneTableSize = 206;

// The shape of a model's tone table: position 0 is "no tone", then the QT tones,
// then (where the model has them) the DQT codes.
struct ToneDimensions {
    int ctcssCount;
    int firstDcsPosition;
    int lastPosition;
    bool dcsAvailable;
};

ToneDimensions ToneDimensionsFor(int modelCode);

// DQT positions from here on carry 30 extra in the high byte of their image code.
inline constexpr int kInvertedDqtFirstPosition = 122;

// Tone code (as stored in the image, four digits) and tone name (as listed) per position.
struct ToneTable {
    ToneDimensions dimensions{};
    std::array<std::string, kToneTableSize> codes;
    std::array<std::string, kToneTableSize> names;

    // The first position from 1 whose code equals `code` exactly; position 0 never matches.
    std::optional<int> positionOfCode(std::string_view code) const;

    // What a cell or list shows for a position: the no-tone word, a QT name in
    // tenths shown as "67.0", or a DQT name unchanged.
    std::string displayText(int position, Language language) const;

    // The items of a tone list, item i being table position i. Filling stops at
    // the first QT name that is not a usable number.
    std::vector<std::string> listItems(Language language) const;
};

} // namespace hx
