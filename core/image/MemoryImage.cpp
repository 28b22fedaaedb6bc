#include "core/image/MemoryImage.h"

#include <algorithm>
#include <cstdio>

namespace hx {

std::string HexBytes(std::span<const std::uint8_t> bytes) {
    std::string text;
    char digits[4];
    for (std::uint8_t b : bytes) {
        std::snprintf(digits, sizeof digits, text.empty() ? "%02X" : " %02X", b);
        text += digits;
    }
    return text;
}

MemoryImage BlankImage() {
    MemoryImage image;
    image.fill(0xFF);
    constexpr std::string_view version = "V0100";
    std::copy(kImageIdentity.begin(), kImageIdentity.end(), image.begin());
    std::copy(version.begin(), version.end(), image.begin() + 10);
    return image;
}

} // namespace hx
