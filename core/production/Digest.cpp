#include "core/production/Digest.h"

#include <openssl/evp.h>

namespace hx {

std::string Sha256Hex(std::span<const std::uint8_t> bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha256(), nullptr) != 1)
        return {};
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned int i = 0; i < length; ++i) {
        hex += kDigits[digest[i] >> 4];
        hex += kDigits[digest[i] & 0x0F];
    }
    return hex;
}

std::string RadioBytesDigest(const MemoryImage& image) {
    return Sha256Hex(std::span(image).subspan(kHeaderSize, kRadioMemorySize));
}

} // namespace hx
