#include "core/codeplug/FrequencyCheck.h"

#include "core/codeplug/Frequency.h"
#include "core/texts/Texts.h"

namespace hx {
namespace {

std::string OutOfRangeMessage(FrequencyBox box, Language language, std::string_view range) {
    const Text text =
        box == FrequencyBox::Receive ? Text::ReceiveOutOfRange : Text::TransmitOutOfRange;
    return FillText(TextOf(text).in(language), {range});
}

bool In446Band(double f) {
    return kBand446Low.value <= f && f <= kBand446High.value;
}

} // namespace

FrequencyCheck CheckFrequencyEntry(std::string_view text, FrequencyBox box, const BandContext& band,
                                   bool outOfBandMarking, Language language) {
    FrequencyCheck check;
    check.text = std::string(text);
    const auto entered = ParseFrequencyText(text);
    if (!entered) {
        check.text.clear();
        return check;
    }
    const auto edges = BandFromEdges(band.lowEdge, band.highEdge);
    if (!edges)
        return check; // a broken profile band checks nothing

    double f = *entered;
    bool inBand = false;
    if (edges->is446()) {
        inBand = In446Band(f);
        check.message = OutOfRangeMessage(box, language, kBand446Text);
    } else {
        // The edges are compared with the text as it will be shown.
        check.text = FormatFrequency(Mhz{f});
        f = ParseNumber(check.text).value_or(f);
        inBand = edges->low <= f && f <= edges->high;
        check.message = OutOfRangeMessage(box, language, band.bandText);
    }
    check.legal = inBand;
    const Mhz snapped = edges->snap(Mhz{f});
    if (inBand) {
        check.message.clear();
        check.text = FormatFrequency(snapped);
        return check;
    }
    if (!outOfBandMarking) {
        check.text.clear();
        check.colour = TextColour::Normal;
        check.focusBack = true;
        return check;
    }
    check.message.clear();
    check.text = FormatFrequency(snapped);
    if (edges->is446()) {
        // Snapping can carry an entry just outside the band onto its first channel.
        if (In446Band(ParseNumber(check.text).value_or(0.0)))
            check.legal = true;
        else
            check.colour = TextColour::Hint;
    }
    return check;
}

UncheckedEntry NormaliseUncheckedEntry(std::string_view text, const BandContext& band) {
    UncheckedEntry entry{std::string(text)};
    auto f = ParseFrequencyText(text);
    if (!f)
        return entry;
    if (*f < kLowestPlausibleMhz || *f >= kHighestPlausibleMhz) {
        entry.text = band.lowEdge;
        entry.replacedByLowEdge = true;
        f = ParseNumber(entry.text);
    }
    const auto edges = BandFromEdges(band.lowEdge, band.highEdge);
    if (f && edges)
        entry.text = FormatFrequency(edges->snap(Mhz{*f}));
    return entry;
}

RangeJudgement JudgeFrequencyRanges(std::string_view receiveText, std::string_view transmitText,
                                    const BandContext& band, bool bandCheckOn,
                                    bool outOfBandMarking, Language language) {
    RangeJudgement judgement;
    judgement.receive.text = std::string(receiveText);
    judgement.transmit.text = std::string(transmitText);
    if (!bandCheckOn)
        return judgement;
    const auto judge = [&](std::string_view text, FrequencyBox box, bool& outOfRange) {
        FrequencyCheck check = CheckFrequencyEntry(text, box, band, outOfBandMarking, language);
        const bool legal = check.legal.value_or(true); // an empty box is legal
        outOfRange = !legal;
        check.colour = !legal && outOfBandMarking ? TextColour::Hint : TextColour::Normal;
        return check;
    };
    judgement.transmit = judge(transmitText, FrequencyBox::Transmit, judgement.txOutOfRange);
    judgement.receive = judge(receiveText, FrequencyBox::Receive, judgement.rxOutOfRange);
    return judgement;
}

} // namespace hx
