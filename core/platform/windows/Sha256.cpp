#include "core/platform/Sha256.h"

#include <bcrypt.h>
#include <windows.h>

namespace hx::platform {

std::optional<Sha256Digest> Sha256(std::span<const std::uint8_t> bytes) {
    Sha256Digest digest{};
    // BCryptHash takes a mutable pointer although it only reads the input.
    const NTSTATUS status = ::BCryptHash(
        BCRYPT_SHA256_ALG_HANDLE, nullptr, 0, const_cast<PUCHAR>(bytes.data()),
        static_cast<ULONG>(bytes.size()), digest.data(), static_cast<ULONG>(digest.size()));
    if (!BCRYPT_SUCCESS(status))
        return std::nullopt;
    return digest;
}

} // namespace hx::platform
