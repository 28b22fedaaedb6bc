#pragma once

#include "core/image/MemoryImage.h"
#include "core/model/ModelProfile.h"
#include "core/texts/Language.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace hx {

// The radio's sub-model bytes (offsets 1026-1033, the band code at 1028) tell what
// kind of radio it is; writing an image made for another kind would leave it
// transmitting where it was never built to.
using SubModelByteRow = std::array<std::uint8_t, 8>;
SubModelByteRow SubModelBytesOf(const MemoryImage& image);

// What the guard found when the radio is not the kind the image was made for.
struct GuardFinding {
    SubModelByteRow radioBytes;
    SubModelByteRow imageBytes;
    bool bandDiffers = false;
    // One line naming both bands ("radio band 400-470MHz (HX7200-U), file band
    // 136-174MHz (HX7200-V): ..."), or both byte rows when only they differ.
    std::string message;
};

// Compares the radio's memory with the image about to be written; nothing when they
// are for the same kind of radio.
std::optional<GuardFinding> CheckRadioKind(const MemoryImage& radio, const MemoryImage& image,
                                           const ModelProfile& profile, Language language);

// The sub-model whose band code this is, or nothing.
std::optional<int> SubModelOfBand(int bandCode, const ModelProfile& profile);

// "400-470MHz (HX7200-U)", or "unknown band (code 255)".
std::string DescribeBand(int bandCode, const ModelProfile& profile, Language language);

} // namespace hx
