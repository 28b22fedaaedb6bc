#include "core/image/MemoryImage.h"

#include <algorithm>
#include <string_view>

namespace hx {

MemoryImage BlankImage() {
    MemoryImage image;
    image.fill(0xFF);
    constexpr std::string_view identity = "ROR55O";
    constexpr std::string_view version = "V0100";
    std::copy(identity.begin(), identity.end(), image.begin());
    std::copy(version.begin(), version.end(), image.begin() + 10);
    return image;
}

} // namespace hx
