#pragma once

#include "core/texts/Language.h"

#include <optional>
#include <string>
#include <string_view>

namespace hx {

// The checks run on a frequency box when the user leaves it. They return what the
// window must show; the window only applies the result.

enum class FrequencyBox { Receive, Transmit };
enum class TextColour { Unchanged, Normal, Hint };

struct FrequencyCheck {
    std::string text;          // the box text afterwards
    std::optional<bool> legal; // the check's verdict; nothing = the previous verdict stands
    std::string message;       // to show with the critical icon when not empty
    TextColour colour = TextColour::Unchanged;
    bool focusBack = false; // give the box the input focus again
};

// The selected sub-model's band as its profile gives it.
struct BandContext {
    std::string lowEdge;  // text, as in the profile
    std::string highEdge; // text, as in the profile
    std::string bandText; // "400-470MHz" or "446MHz"
};

// The band check of one box: snapping in band; out of band either refused with a
// message (outOfBandMarking false) or kept, snapped and marked (outOfBandMarking true).
FrequencyCheck CheckFrequencyEntry(std::string_view text, FrequencyBox box, const BandContext& band,
                                   bool outOfBandMarking, Language language);

// Leaving a box while the band check is off: implausible values become the band's low
// edge, and the value is snapped. `replacedByLowEdge` tells the window to rerun the
// range marking.
struct UncheckedEntry {
    std::string text;
    bool replacedByLowEdge = false;
};
UncheckedEntry NormaliseUncheckedEntry(std::string_view text, const BandContext& band);

// Both boxes checked together (transmit first, as the messages appear), with the
// colours and out-of-range marks the editor and the table show. With the band check
// off nothing is checked and both marks are clear.
struct RangeJudgement {
    FrequencyCheck transmit;
    FrequencyCheck receive;
    bool txOutOfRange = false;
    bool rxOutOfRange = false;
};
RangeJudgement JudgeFrequencyRanges(std::string_view receiveText, std::string_view transmitText,
                                    const BandContext& band, bool bandCheckOn,
                                    bool outOfBandMarking, Language language);

} // namespace hx
