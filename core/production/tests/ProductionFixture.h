#pragma once

#include "core/emulator/RadioEmulator.h"
#include "core/image/ImageEncoder.h"
#include "core/model/ModelFiles.h"

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
        for (int c = 0; c < 4; ++c) {
            plug.channels.setValue(c, Field::RxFrequency, first + c * 0.025);
            plug.channels.setValue(c, Field::TxFrequency, first + c * 0.025);
            plug.channels.setValue(c, Field::RxTone, 0);
            plug.channels.setValue(c, Field::TxTone, 0);
            plug.channels.setValue(c, Field::BusyLockout, 0);
            plug.channels.setValue(c, Field::Shift, 0);
        }
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
