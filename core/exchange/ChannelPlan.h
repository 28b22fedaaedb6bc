#pragma once

#include "core/exchange/PlanCells.h"
#include "core/image/ImageDecoder.h"
#include "core/model/ModelFiles.h"
#include "core/texts/Language.h"

#include <array>
#include <string>

namespace hx {

// A note per channel. The data file has no room for them: they last as long as the
// window keeps them, from an import to the exports of the same session.
using ChannelComments = std::array<std::string, kChannelCount>;

// What a plan file carries: the sub-model, the function settings, the channel table
// and the comments.
struct ChannelPlan {
    DecoderState state;
    ChannelComments comments;
};

// The model a plan belongs to and the language of what is written and reported.
// `bandCheckOn` is the window's band check: off, a frequency need only be one the
// radio can store. `outOfBandMarking` is the editor's choice for a frequency out of
// band: kept and marked, or refused.
struct PlanContext {
    const ModelData& model;
    Language language = Language::English;
    bool bandCheckOn = true;
    bool outOfBandMarking = true;
};

// One channel's row as the channel table shows it, plus its comment.
struct ChannelRowTexts {
    std::array<std::string, kRowFieldCount> cells; // receive frequency to shift
    std::string comment;
    bool operator==(const ChannelRowTexts&) const = default;
};
ChannelRowTexts RowTextsOf(const ChannelPlan& plan, int channel, const ToneTable& tones,
                           Language language, char decimalMark = '.');

} // namespace hx
