#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace hxsim {

inline constexpr std::size_t kRadioMemorySize = 1024;
using RadioMemory = std::array<std::uint8_t, kRadioMemorySize>;

// A byte the radio keeps wrong while it acknowledges its frame as if all were well:
// only reading the memory back shows it.
struct CorruptByte {
    std::size_t address = 0;           // radio address
    std::optional<std::uint8_t> value; // none: the byte sent, its lowest bit flipped
};

// The failures a radio or its cable can show, switched on from the command line.
// A block number of -1 leaves that fault off.
struct Faults {
    bool silentToLeadCode = false;
    bool wrongLeadCodeAnswer = false; // 0x15 instead of 0x06
    bool shortIdentity = false;       // 7 bytes instead of 8
    int noAckFromBlock = -1;
    int shortReplyAtBlock = -1;
    int ackReplyAtBlock = -1; // a data reply starting with 0x06
    int hangUpAtBlock = -1;
    int hangUpBeforeBlock = -1; // at the acknowledgement exchange that precedes the block
    std::optional<CorruptByte> corrupt;
    // Once the last block of a write is acknowledged, the radio restarts: it leaves
    // programming mode and is deaf for a while, as the line serving it decides.
    bool restartAfterWrite = false;
};

// The radio's side of the programming protocol, without any I/O: bytes from the
// program go in, the radio's answers come out.
class RadioEmulator {
public:
    RadioEmulator(const RadioMemory& memory, const Faults& faults)
        : memory_(memory), faults_(faults) {}

    struct Answer {
        std::vector<std::uint8_t> reply;
        std::vector<std::vector<std::uint8_t>> frames; // every complete frame received
        bool memoryChanged = false;
        bool hangUp = false;
        bool restarting = false; // the radio restarts now; it answers nothing meanwhile
    };
    Answer receive(std::span<const std::uint8_t> bytes);

    const RadioMemory& memory() const { return memory_; }

private:
    // Consumes one message from the front of the buffer; false when incomplete.
    bool takeMessage(Answer& answer);
    bool faultFrom(int fromBlock, int block) const { return fromBlock >= 0 && block >= fromBlock; }

    RadioMemory memory_;
    Faults faults_;
    std::vector<std::uint8_t> buffer_;
    bool programming_ = false;
    int nextBlock_ = 0;
};

} // namespace hxsim
