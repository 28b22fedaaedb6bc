// Any 1074 bytes, from a file or a radio, must decode without harm.
#include "core/image/ImageDecoder.h"

#include <cstring>

namespace {

struct Model {
    hx::ModelProfile profile;
    hx::ToneTable tones;
    Model() {
        profile.subModelCount = 3;
        for (int s = 0; s < 3; ++s)
            profile.subModelTable[static_cast<std::size_t>(4 * s + 3)] = std::to_string(17 + s);
        tones.dimensions = hx::ToneDimensionsFor(7200);
        tones.codes[1] = "0670";
        tones.codes[39] = "8023";
        tones.codes[122] = "9023";
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Model model;
    hx::MemoryImage image;
    image.fill(0xFF);
    std::memcpy(image.data(), data, std::min(size, image.size()));
    const int modelCode = size > 0 && data[0] % 2 ? 7100 : 7200;
    const auto result = hx::DecodeImage(image, {modelCode, model.profile, model.tones},
                                        hx::StartState(model.profile));
    for (int c = 0; c < hx::kChannelCount; ++c)
        if (result.inUse[c] != result.state.channels.inUse(c))
            __builtin_trap();
    return 0;
}
