#pragma once

#include "image/MemoryImage.h"
#include "link/SerialPort.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <variant>

namespace hx {

inline constexpr int kWriteBlockCount = 123; // radio addresses 0x000-0x3D7
inline constexpr int kReadBlockCount = 128;  // radio addresses 0x000-0x3FF
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kStx = 0x02;

// The exchange steps of a transfer, as a failure names them.
enum class LinkStep {
    LeadCodeAnswer,
    IdentityAnswer,
    AckAnswer,
    WriteFrameAnswer,
    ReadReply,
    FinalAck
};
const char* Describe(LinkStep step);

struct LinkFailure {
    LinkFailure(LinkStep s, int b = -1, bool fromPort = false, std::string what = {})
        : step(s), block(b), portError(fromPort), detail(std::move(what)) {}
    LinkStep step;
    int block = -1;         // the block of a frame step, -1 for the handshake
    bool portError = false; // the port itself failed, not the radio's answer
    std::string detail;
    std::string message() const; // one line for a terminal
};

// How long each step waits for its answer: counted in pauses of 1 ms, and never
// shorter in wall-clock time, but ended as soon as the answer is there.
struct WaitRule {
    std::size_t awaited;
    int budget;
    std::optional<std::uint8_t> firstByte;
    bool takeAnswer = true; // false: the answer stays waiting, for the next send to discard
};
inline constexpr WaitRule kLeadCodeWait{1, 50, kAck};
inline constexpr WaitRule kIdentityWait{8, 75, std::nullopt, false};
inline constexpr WaitRule kAckWait{1, 50, kAck};
inline constexpr WaitRule kWriteFrameWait{1, 50, kAck};
inline constexpr WaitRule kReadReplyWait{12, 75, 'W'};

using WriteFrame = std::array<std::uint8_t, 12>;
// The write frame of block b: "W", address high, address low, 8, the block's bytes.
WriteFrame InitSendData(int block, const MemoryImage& image);

// Called before each frame with the number of frames begun so far.
using Progress = std::function<void(int framesBegun)>;

// The radio's side of the conversation, driven over one open port.
class RadioLink {
public:
    explicit RadioLink(SerialPort& port) : port_(port) {}

    // Send, then wait for the answer as `rule` says; the answer, or nothing.
    std::optional<std::vector<std::uint8_t>> sendAndWait(std::span<const std::uint8_t> bytes,
                                                         const WaitRule& rule);
    std::optional<LinkFailure> SolveLeadCode();
    std::optional<LinkFailure> SendRece06H(int block);

private:
    SerialPort& port_;
};

// Sends image offsets 50-1033 to the radio. `image` is already encoded.
std::optional<LinkFailure> WriteFre(SerialPort& port, const MemoryImage& image,
                                    const Progress& progress);

// Fetches radio memory into a copy of `encoded` (offsets 50-1073); the caller's
// image is only replaced on success.
std::variant<MemoryImage, LinkFailure> ReadFre(SerialPort& port, const MemoryImage& encoded,
                                               const Progress& progress);

} // namespace hx
