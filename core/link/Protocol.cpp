#include "core/link/Protocol.h"

#include <algorithm>
#include <chrono>

namespace hx {
namespace {

using Clock = std::chrono::steady_clock;

// The failure of an exchange whose answer is not looked at, or nothing.
std::optional<LinkFailure> FailureOf(RadioLink::Answer answer) {
    if (auto* failure = std::get_if<LinkFailure>(&answer))
        return std::move(*failure);
    return std::nullopt;
}

// What a frame does while its bytes are on the line: it shows its progress.
std::function<void()> Report(const Progress& progress, int block) {
    if (!progress)
        return {};
    return [&progress, block] { progress(block); };
}

} // namespace

const char* Describe(LinkStep step) {
    switch (step) {
    case LinkStep::LeadCodeAnswer:
        return "lead code";
    case LinkStep::IdentityAnswer:
        return "identity request";
    case LinkStep::AckAnswer:
        return "acknowledgement";
    case LinkStep::WriteFrameAnswer:
        return "write frame";
    case LinkStep::ReadReply:
        return "read request";
    case LinkStep::FinalAck:
        return "end of read";
    }
    return "?";
}

std::string Describe(LinkStep step, int block) {
    std::string text = Describe(step);
    if (block >= 0)
        text +=
            (step == LinkStep::AckAnswer ? " before block " : " of block ") + std::to_string(block);
    return text;
}

std::string LinkFailure::message() const {
    std::string text = (portError ? "the port failed during the " : "no valid answer to the ") +
                       Describe(step, block);
    if (!detail.empty())
        text += ": " + detail;
    return text;
}

Patience PatienceOf(std::chrono::milliseconds wanted) {
    return std::max(wanted, kLeastPatience);
}

RadioLink::RadioLink(SerialPort& port, Patience patience)
    : port_(port), steps_(dynamic_cast<StepListener*>(&port)),
      pause_(std::chrono::microseconds(PatienceOf(patience)) / kLeadCodeWait.budget) {}

WriteFrame BuildWriteFrame(int block, const MemoryImage& image) {
    WriteFrame frame{};
    frame[0] = 'W';
    frame[3] = 8;
    if (block < 0 || block >= kReadBlockCount)
        return frame;
    frame[1] = static_cast<std::uint8_t>(block / 32);
    frame[2] = static_cast<std::uint8_t>((block % 32) * 8);
    const std::size_t first = ImageOffsetOfRadioAddress(8 * static_cast<std::size_t>(block));
    for (std::size_t i = 0; i < 8; ++i)
        frame[4 + i] = image[first + i];
    return frame;
}

RadioLink::Answer RadioLink::exchange(LinkStep step, int block, std::span<const std::uint8_t> bytes,
                                      const WaitRule& rule,
                                      const std::function<void()>& meanwhile) {
    try {
        // Stale input goes before the send, not after it: an answer quick enough to
        // arrive while the port was being cleared would otherwise be thrown away.
        port_.discardOutput();
        port_.discardInput();
        // A late answer cleared here belongs to the step that waited for it, so the
        // listener hears of this step only now.
        begin(step, block);
        port_.send(bytes);
        if (meanwhile)
            meanwhile();
        if (!awaitAnswer(rule)) {
            clearLateAnswer();
            return LinkFailure{step, block};
        }
        if (!rule.takeAnswer)
            return std::vector<std::uint8_t>{};
        auto received = port_.takeAll();
        if (rule.firstByte && (received.empty() || received.front() != *rule.firstByte))
            return LinkFailure{step, block};
        return received;
    } catch (const PortError& error) {
        return LinkFailure{step, block, true, error.what()};
    }
}

bool RadioLink::awaitAnswer(const WaitRule& rule) {
    return waitCounted(rule.budget + 1, [&] { return port_.waitingCount() >= rule.awaited; });
}

// A pause counts for the time it lasted, at most its length: one that the computer
// stretched by not running the program counts once, one that arriving bytes cut short
// counts for its part.
bool RadioLink::waitCounted(int pauses, const std::function<bool()>& done) {
    const auto budget = pause_ * pauses;
    Clock::duration paused{};
    while (!done()) {
        if (paused >= budget)
            return false;
        const auto start = Clock::now();
        port_.waitForInput(pause_);
        paused += std::min<Clock::duration>(Clock::now() - start, pause_);
    }
    return true;
}

// What arrives within one more patience is the missed answer, or the rest of it; it
// is cleared as it comes, so that a trace notes it.
void RadioLink::clearLateAnswer() {
    waitCounted(kLeadCodeWait.budget + 1, [this] {
        if (port_.waitingCount() > 0)
            port_.discardInput();
        return false;
    });
    port_.discardInput();
}

std::optional<LinkFailure> RadioLink::handshake() {
    try {
        port_.setBinaryMode();
    } catch (const PortError& error) {
        return LinkFailure{LinkStep::LeadCodeAnswer, -1, true, error.what()};
    }
    if (auto failure = FailureOf(exchange(LinkStep::LeadCodeAnswer, -1, LeadCode, kLeadCodeWait)))
        return failure;
    const std::uint8_t stx = kStx;
    return FailureOf(exchange(LinkStep::IdentityAnswer, -1, {&stx, 1}, kIdentityWait));
}

std::optional<LinkFailure> RadioLink::exchangeAcknowledgement(int block) {
    const std::uint8_t ack = kAck;
    return FailureOf(exchange(LinkStep::AckAnswer, block, {&ack, 1}, kAckWait));
}

std::optional<LinkFailure> RadioLink::endRead() {
    try {
        const std::uint8_t ack = kAck;
        port_.discardOutput();
        begin(LinkStep::FinalAck, -1);
        port_.send({&ack, 1});
    } catch (const PortError& error) {
        return LinkFailure{LinkStep::FinalAck, -1, true, error.what()};
    }
    return std::nullopt;
}

void RadioLink::begin(LinkStep step, int block) const {
    if (steps_)
        steps_->stepBegins(step, block);
}

std::optional<LinkFailure> WriteRadio(SerialPort& port, const MemoryImage& image,
                                      const Progress& progress, Patience patience) {
    RadioLink link(port, patience);
    if (auto failure = link.handshake())
        return failure;
    if (auto failure = link.exchangeAcknowledgement(-1))
        return failure;
    for (int b = 0; b < kWriteBlockCount; ++b) {
        const WriteFrame frame = BuildWriteFrame(b, image);
        if (auto failure = FailureOf(link.exchange(LinkStep::WriteFrameAnswer, b, frame,
                                                   kWriteFrameWait, Report(progress, b))))
            return failure;
    }
    return std::nullopt;
}

std::variant<MemoryImage, LinkFailure> ReadRadio(SerialPort& port, const MemoryImage& encoded,
                                                 const Progress& progress, Patience patience) {
    RadioLink link(port, patience);
    if (auto failure = link.handshake())
        return *failure;
    MemoryImage image = encoded;
    for (int b = 0; b < kReadBlockCount; ++b) {
        if (auto failure = link.exchangeAcknowledgement(b))
            return *failure;
        const WriteFrame frame = BuildWriteFrame(b, image);
        const std::uint8_t request[] = {'R', frame[1], frame[2], frame[3]};
        auto answer =
            link.exchange(LinkStep::ReadReply, b, request, kReadReplyWait, Report(progress, b));
        if (auto* failure = std::get_if<LinkFailure>(&answer))
            return *failure;
        const auto& reply = std::get<std::vector<std::uint8_t>>(answer);
        if (reply.size() < 12)
            return LinkFailure{LinkStep::ReadReply, b};
        const std::size_t first = ImageOffsetOfRadioAddress(8 * static_cast<std::size_t>(b));
        std::copy(reply.begin() + 4, reply.begin() + 12, image.begin() + static_cast<long>(first));
    }
    if (auto failure = link.endRead())
        return *failure;
    return image;
}

} // namespace hx
