#pragma once

#include "core/codeplug/CodePlug.h"
#include "core/image/MemoryImage.h"
#include "core/model/ModelProfile.h"
#include "core/model/ToneTable.h"

#include <array>
#include <cstdint>

namespace hx {

// Everything the encoder reads: the code plug, the selected sub-model (-1 = none)
// and the model data.
struct EncoderInput {
    const ChannelTable& channels;
    const FunctionPositions& functions;
    int subModel;
    int modelCode;
    const ModelProfile& profile;
    const ToneTable& tones;
};

// Builds the complete image from the code plug, always starting from the blank image.
MemoryImage EncodeImage(const EncoderInput& input);

// The highest list position of a function setting that the image of a model series
// can hold; positions above it would be stored as another setting or none.
int HighestFunctionPosition(FunctionSetting setting, int modelCode);

// Packed BCD of a two-digit number: 46 -> 0x46, 120 -> 0xC0.
constexpr int ToPackedBcd(int value) {
    return (value / 10) * 16 + value % 10;
}
// Back from packed BCD: 0x46 -> 46, 0xC0 -> 120, 0xFF -> 165.
constexpr int FromPackedBcd(int value) {
    return (value / 16) * 10 + value % 16;
}

// The four BCD bytes of a frequency in MHz, least significant first; frequencies
// below 100 or from 999 on are stored as 100 MHz.
std::array<std::uint8_t, 4> EncodeFrequency(double mhz);

} // namespace hx
