#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace hx {

// The radio memory image: a 50-byte header kept only in files, then the radio's
// 1024 bytes (image offset 50 + n is radio address n).
inline constexpr std::size_t kImageSize = 1074;
inline constexpr std::size_t kHeaderSize = 50;
inline constexpr std::size_t kRadioMemorySize = 1024;

using MemoryImage = std::array<std::uint8_t, kImageSize>;

constexpr std::size_t ImageOffsetOfRadioAddress(std::size_t address) {
    return kHeaderSize + address;
}

// Channel record c starts here; records are 16 bytes.
constexpr std::size_t ChannelRecordOffset(int channel) {
    return 66 + 16 * static_cast<std::size_t>(channel);
}

inline constexpr std::size_t kChannelNumberListOffset = 690;
inline constexpr std::size_t kBeepAndSaveOffset = 1010;
inline constexpr std::size_t kSquelchOffset = 1011;
inline constexpr std::size_t kMonitorKeyOffset = 1012;
inline constexpr std::size_t kTimeOutOffset = 1013;
inline constexpr std::size_t kSubModelBytesOffset = 1026;
inline constexpr std::size_t kBandCodeOffset = 1028;

// The 8 bytes that open every programming session: 0x02 then "PROGRAM".
inline constexpr std::array<std::uint8_t, 8> LeadCode = {0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M'};

// Bytes in hex for people, separated by blanks: "57 00 28 08".
std::string HexBytes(std::span<const std::uint8_t> bytes);

// The text every image of this program opens with.
inline constexpr std::string_view kImageIdentity = "ROR55O";

// The blank image: 0xFF everywhere but the identity "ROR55O" at 0 and "V0100" at 10.
MemoryImage BlankImage();

} // namespace hx
