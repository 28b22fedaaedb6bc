#pragma once

#include "core/image/ImageDecoder.h"
#include "core/image/ImageEncoder.h"
#include "core/model/ModelFiles.h"

namespace hxtool {

// What the window shows after a start with default settings and opening this image.
inline hx::DecodeResult DecodeAfterStart(const hx::MemoryImage& image, const hx::ModelData& model) {
    return hx::DecodeImage(image, {model.modelCode, model.profile, model.tones},
                           hx::StartState(model.profile));
}

// The image the window would save or send for this state.
inline hx::MemoryImage EncodeState(const hx::DecoderState& state, const hx::ModelData& model) {
    return hx::EncodeImage({state.channels, state.functions, state.subModel, model.modelCode,
                            model.profile, model.tones});
}

// What the radio gets from a data file: what the window would send after opening it.
inline hx::MemoryImage ImageToSend(const hx::MemoryImage& file, const hx::ModelData& model) {
    return EncodeState(DecodeAfterStart(file, model).state, model);
}

} // namespace hxtool
