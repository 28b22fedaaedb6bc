#pragma once

#include "core/image/ImageDecoder.h"
#include "core/model/ModelFiles.h"
#include "core/texts/Language.h"

#include <string>
#include <vector>

namespace hx {

// A caption and what it names: "Band" and "400-470MHz".
struct LabelledValue {
    std::string label;
    std::string value;
};

// Everything a printed channel card shows, as finished texts in one language, so the
// page can be drawn without knowing the radio.
struct ChannelCard {
    Language language = Language::English;
    std::string title;
    std::vector<LabelledValue> model; // model, sub-model, band
    std::string functionsHeading;
    std::vector<LabelledValue> functions;
    std::vector<std::string> columns;           // channel number, then the six fields
    std::vector<std::vector<std::string>> rows; // one per channel, as many texts as columns
};

// The card of a decoded image: every channel gets its row, an empty channel an empty
// one, so the card follows the radio's channel knob position by position.
ChannelCard MakeChannelCard(const DecodeResult& decoded, const ModelData& model, Language language);

} // namespace hx
