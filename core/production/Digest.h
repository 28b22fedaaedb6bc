#pragma once

#include "core/image/MemoryImage.h"

#include <cstdint>
#include <span>
#include <string>

namespace hx {

// The SHA-256 of `bytes` as 64 lower-case hex digits.
std::string Sha256Hex(std::span<const std::uint8_t> bytes);

// The SHA-256 of the radio's 1024 bytes of an image (offsets 50-1073): the file
// header is left out, so the digest names what a radio holds, and a dealer can check
// it with `tail -c 1024 FILE.dat | sha256sum` on a file of 1074 bytes.
std::string RadioBytesDigest(const MemoryImage& image);

} // namespace hx
