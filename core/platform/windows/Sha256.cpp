#include "core/platform/Sha256.h"

#include "core/platform/windows/Api.h"

#include <bcrypt.h>

namespace hx::platform {

std::optional<Sha256Digest> Sha256(std::span<const std::uint8_t> bytes) {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    if (!BCRYPT_SUCCESS(
            ::BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0)))
        return std::nullopt;
    Sha256Digest digest{};
    BCRYPT_HASH_HANDLE hash = nullptr;
    // BCryptHashData takes a mutable pointer although it only reads the input.
    bool done = BCRYPT_SUCCESS(::BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0));
    done = done && BCRYPT_SUCCESS(::BCryptHashData(hash, const_cast<PUCHAR>(bytes.data()),
                                                   static_cast<ULONG>(bytes.size()), 0));
    done = done && BCRYPT_SUCCESS(::BCryptFinishHash(hash, digest.data(),
                                                     static_cast<ULONG>(digest.size()), 0));
    if (hash)
        ::BCryptDestroyHash(hash);
    ::BCryptCloseAlgorithmProvider(algorithm, 0);
    return done ? std::optional(digest) : std::nullopt;
}

} // namespace hx::platform
