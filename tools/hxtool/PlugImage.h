#pragma once

#include "app/profile/ModelFiles.h"
#include "image/Decoder.h"
#include "image/Encoder.h"

namespace hxtool {

// What the window shows after a start with default settings and opening this image.
inline hx::DecodeResult DecodeAfterStart(const hx::MemoryImage& image, const hx::ModelData& model) {
    return hx::SoftDisplay(image, {model.modelCode, model.profile, model.tones},
                           hx::StartState(model.profile));
}

// The image the window would save or send for this state.
inline hx::MemoryImage EncodeState(const hx::DecoderState& state, const hx::ModelData& model) {
    return hx::SetConvert({state.channels, state.functions, state.subModel, model.modelCode,
                           model.profile, model.tones});
}

} // namespace hxtool
