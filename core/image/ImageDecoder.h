#pragma once

#include "core/codeplug/CodePlug.h"
#include "core/image/MemoryImage.h"
#include "core/model/ModelProfile.h"
#include "core/model/ToneTable.h"
#include "core/texts/Language.h"

#include <array>
#include <string>

namespace hx {

// What the window holds that decoding reads and changes.
struct DecoderState {
    int subModel = -1;           // position in the sub-model list, -1 = none
    FunctionPositions functions; // the six function lists
    ChannelTable channels;
};

using ChannelCellTexts = std::array<std::array<std::string, kFieldCount>, kChannelCount>;

struct DecodeResult {
    DecoderState state;
    // Cell texts [channel][field] in each language; empty for channels not in use.
    ChannelCellTexts cellsChinese;
    ChannelCellTexts cellsEnglish;
    std::array<bool, kChannelCount> inUse{};
    // True when the image selected another sub-model, which reset the lists and
    // emptied the table and editor before the image was applied.
    bool subModelChanged = false;
    // The image after decoding converted it in place (no longer radio data).
    MemoryImage convertedImage{};

    const ChannelCellTexts& cells(Language language) const {
        return language == Language::Chinese ? cellsChinese : cellsEnglish;
    }
};

// What the window holds right after a start with default settings: the stored
// sub-model (position 1, or 0 when there is only one), the default functions and
// an empty table.
DecoderState StartState(const ModelProfile& profile);

struct DecoderContext {
    int modelCode;
    const ModelProfile& profile;
    const ToneTable& tones;
};

// Turns an image into the state the window shows after opening a file or reading a radio.
DecodeResult DecodeImage(const MemoryImage& image, const DecoderContext& context,
                         const DecoderState& before);

} // namespace hx
