#pragma once

#include "core/emulator/RadioEmulator.h"
#include "core/image/ImageEncoder.h"
#include "core/model/ModelFiles.h"
#include "core/testsupport/ChannelRow.h"

#include <algorithm>
#include <filesystem>

namespace hx {

inline constexpr int kVhf = 0; // HX7200-V, 136-174 MHz, band code 17
inline constexpr int kUhf = 1; // HX7200-U, 400-470 MHz, band code 18

// The HX7200 as shipped, and images of it with four channels from `first` MHz on.
struct Hx7200 {
    ModelData model = LoadModelData(std::filesystem::path(HX_SOURCE_DIR) / "data/Setting", 7200);

    MemoryImage encode(int subModel, double first) const {
        CodePlug plug;
        plug.functions = model.profile.functionDefaults;
        for (int c = 0; c < 4; ++c)
            SetChannel(plug.channels, c, {first + c * 0.025, first + c * 0.025, 0, 0, 0, 0});
        return EncodeImage(
            {plug.channels, plug.functions, subModel, model.modelCode, model.profile, model.tones});
    }
};

inline hxsim::RadioMemory MemoryOf(const MemoryImage& image) {
    hxsim::RadioMemory memory;
    std::copy(image.begin() + kHeaderSize, image.end(), memory.begin());
    return memory;
}

// Whether the radio holds the written blocks of `image`.
inline bool HoldsWrittenBlocks(const hxsim::RadioMemory& memory, const MemoryImage& image) {
    return std::equal(image.begin() + kHeaderSize, image.begin() + kHeaderSize + 123 * 8,
                      memory.begin());
}

} // namespace hx
