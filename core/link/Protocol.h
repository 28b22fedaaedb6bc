#pragma once

#include "core/image/MemoryImage.h"
#include "core/link/SerialPort.h"

#include <array>
#include <chrono>
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
// The step with its block as a failure or a trace names it: "write frame of block 5",
// "acknowledgement before block 64" (an acknowledgement precedes its block).
std::string Describe(LinkStep step, int block);

// Told which step of a transfer begins, before its bytes go out: a port that records
// the conversation implements it, and the link tells it each step.
class StepListener {
public:
    virtual void stepBegins(LinkStep step, int block) = 0;

protected:
    ~StepListener() = default;
};

struct LinkFailure {
    LinkFailure(LinkStep s, int b = -1, bool fromPort = false, std::string what = {})
        : step(s), block(b), portError(fromPort), detail(std::move(what)) {}
    LinkStep step;
    int block = -1;         // the frame's block (an acknowledgement: the next one), -1: none
    bool portError = false; // the port itself failed, not the radio's answer
    std::string detail;
    std::string message() const; // one line for a terminal
};

// How long each step waits for its answer, in pauses that the program actually made:
// a pause in which the computer did not run the program counts once, so a stall does
// not use up the budget, and no wait ends sooner than budget + 1 pauses. The wait ends
// as soon as the answer is there, so only a radio that says nothing costs the time.
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

// How long the radio may take for an answer, as the length of a budget of 50 pauses:
// each pause lasts patience / 50, and a step with a larger budget waits as much longer.
// The least patience gives pauses of 1 ms; a USB cable's latency and a radio that is
// busy now and then need more.
using Patience = std::chrono::milliseconds;
inline constexpr Patience kLeastPatience{50};
inline constexpr Patience kDefaultPatience{250};
// `wanted`, or the least patience when it is less.
Patience PatienceOf(std::chrono::milliseconds wanted);

using WriteFrame = std::array<std::uint8_t, 12>;
// The write frame of block b: "W", address high, address low, 8, the block's bytes.
WriteFrame BuildWriteFrame(int block, const MemoryImage& image);

// Called for each frame while its bytes are on the line, with the number of frames
// begun before it: showing progress then costs the transfer no time.
using Progress = std::function<void(int framesBegun)>;

// The radio's side of the conversation, driven over one open port. Every step ends
// in the radio's answer or in a failure that names the step, whether the radio gave
// no valid answer or the port itself failed.
class RadioLink {
public:
    explicit RadioLink(SerialPort& port, Patience patience = kDefaultPatience);

    using Answer = std::variant<std::vector<std::uint8_t>, LinkFailure>;
    // Sends `bytes`, runs `meanwhile` while they travel, then waits as `rule` says. An
    // answer that does not come in time is waited for once more, as long again, and
    // thrown away: coming late, it must not pass for the answer to a later step.
    Answer exchange(LinkStep step, int block, std::span<const std::uint8_t> bytes,
                    const WaitRule& rule, const std::function<void()>& meanwhile = {});
    std::optional<LinkFailure> handshake();
    // The acknowledgement exchange before `block` (-1: before the first write frame).
    std::optional<LinkFailure> exchangeAcknowledgement(int block);
    // The acknowledgement that ends a read; no answer is awaited.
    std::optional<LinkFailure> endRead();

private:
    // Whether `rule`'s answer arrived within its budget.
    bool awaitAnswer(const WaitRule& rule);
    // Whether `done` came true within `pauses` counted pauses.
    bool waitCounted(int pauses, const std::function<bool()>& done);
    void clearLateAnswer();
    void begin(LinkStep step, int block) const;

    SerialPort& port_;
    StepListener* steps_; // the port itself when it listens, else none
    std::chrono::microseconds pause_;
};

// Sends image offsets 50-1033 to the radio. `image` is already encoded.
std::optional<LinkFailure> WriteRadio(SerialPort& port, const MemoryImage& image,
                                      const Progress& progress,
                                      Patience patience = kDefaultPatience);

// Fetches radio memory into a copy of `encoded` (offsets 50-1073); the caller's
// image is only replaced on success.
std::variant<MemoryImage, LinkFailure> ReadRadio(SerialPort& port, const MemoryImage& encoded,
                                                 const Progress& progress,
                                                 Patience patience = kDefaultPatience);

} // namespace hx
