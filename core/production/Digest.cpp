#include "core/production/Digest.h"

#include "core/platform/Sha256.h"

namespace hx {

std::string Sha256Hex(std::span<const std::uint8_t> bytes) {
    const auto digest = platform::Sha256(bytes);
    if (!digest)
        return {};
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const std::uint8_t byte : *digest) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0x0F];
    }
    return hex;
}

std::string RadioBytesDigest(const MemoryImage& image) {
    return Sha256Hex(std::span(image).subspan(kHeaderSize, kRadioMemorySize));
}

} // namespace hx
