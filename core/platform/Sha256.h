#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace hx::platform {

using Sha256Digest = std::array<std::uint8_t, 32>;

// The SHA-256 of `bytes` from the system's own cryptography; nothing when it fails.
std::optional<Sha256Digest> Sha256(std::span<const std::uint8_t> bytes);

} // namespace hx::platform
