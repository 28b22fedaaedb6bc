#include "link/Protocol.h"

#include <chrono>

namespace hx {
namespace {

using Clock = std::chrono::steady_clock;

// Ends a transfer that the port itself broke, naming where.
template <typename Step> std::optional<LinkFailure> Guard(LinkStep step, int block, Step&& body) {
    try {
        return body();
    } catch (const PortError& error) {
        return LinkFailure{step, block, true, error.what()};
    }
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

std::string LinkFailure::message() const {
    std::string text = std::string("no valid answer to the ") + Describe(step);
    if (portError)
        text = std::string("the port failed during the ") + Describe(step);
    if (block >= 0)
        text += " of block " + std::to_string(block);
    if (!detail.empty())
        text += ": " + detail;
    return text;
}

WriteFrame InitSendData(int block, const MemoryImage& image) {
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

std::optional<std::vector<std::uint8_t>> RadioLink::sendAndWait(std::span<const std::uint8_t> bytes,
                                                                const WaitRule& rule) {
    // Stale input goes before the send, not after it: an answer quick enough to
    // arrive while the port was being cleared would otherwise be thrown away.
    port_.discardOutput();
    port_.discardInput();
    port_.send(bytes);
    // The budget is budget + 1 pauses of 1 ms; waiting for input instead of
    // sleeping lets an early answer end the wait without shortening it.
    const auto deadline = Clock::now() + std::chrono::milliseconds(rule.budget + 1);
    while (port_.waitingCount() < rule.awaited) {
        const auto now = Clock::now();
        if (now >= deadline)
            return std::nullopt;
        const auto step = std::min<Clock::duration>(deadline - now, std::chrono::milliseconds(1));
        port_.waitForInput(std::chrono::duration_cast<std::chrono::microseconds>(step));
    }
    if (!rule.takeAnswer)
        return std::vector<std::uint8_t>{};
    auto received = port_.takeAll();
    if (rule.firstByte && (received.empty() || received.front() != *rule.firstByte))
        return std::nullopt;
    return received;
}

std::optional<LinkFailure> RadioLink::SolveLeadCode() {
    return Guard(LinkStep::LeadCodeAnswer, -1, [&]() -> std::optional<LinkFailure> {
        port_.setBinaryMode();
        if (!sendAndWait(LeadCode, kLeadCodeWait))
            return LinkFailure{LinkStep::LeadCodeAnswer};
        const std::uint8_t stx = kStx;
        if (!sendAndWait({&stx, 1}, kIdentityWait))
            return LinkFailure{LinkStep::IdentityAnswer};
        return std::nullopt;
    });
}

std::optional<LinkFailure> RadioLink::SendRece06H(int block) {
    const std::uint8_t ack = kAck;
    if (!sendAndWait({&ack, 1}, kAckWait))
        return LinkFailure{LinkStep::AckAnswer, block};
    return std::nullopt;
}

std::optional<LinkFailure> WriteFre(SerialPort& port, const MemoryImage& image,
                                    const Progress& progress) {
    RadioLink link(port);
    if (auto failure = link.SolveLeadCode())
        return failure;
    if (auto failure = Guard(LinkStep::AckAnswer, -1, [&] { return link.SendRece06H(-1); }))
        return failure;
    for (int b = 0; b < kWriteBlockCount; ++b) {
        auto failure = Guard(LinkStep::WriteFrameAnswer, b, [&]() -> std::optional<LinkFailure> {
            if (progress)
                progress(b);
            const WriteFrame frame = InitSendData(b, image);
            if (!link.sendAndWait(frame, kWriteFrameWait))
                return LinkFailure{LinkStep::WriteFrameAnswer, b};
            return std::nullopt;
        });
        if (failure)
            return failure;
    }
    return std::nullopt;
}

std::variant<MemoryImage, LinkFailure> ReadFre(SerialPort& port, const MemoryImage& encoded,
                                               const Progress& progress) {
    RadioLink link(port);
    if (auto failure = link.SolveLeadCode())
        return *failure;
    MemoryImage image = encoded;
    for (int b = 0; b < kReadBlockCount; ++b) {
        auto failure = Guard(LinkStep::ReadReply, b, [&]() -> std::optional<LinkFailure> {
            if (auto ack = link.SendRece06H(b))
                return ack;
            if (progress)
                progress(b);
            const WriteFrame frame = InitSendData(b, image);
            const std::uint8_t request[] = {'R', frame[1], frame[2], frame[3]};
            const auto reply = link.sendAndWait(request, kReadReplyWait);
            if (!reply || reply->size() < 12)
                return LinkFailure{LinkStep::ReadReply, b};
            const std::size_t first = ImageOffsetOfRadioAddress(8 * static_cast<std::size_t>(b));
            std::copy(reply->begin() + 4, reply->begin() + 12,
                      image.begin() + static_cast<long>(first));
            return std::nullopt;
        });
        if (failure)
            return *failure;
    }
    auto failure = Guard(LinkStep::FinalAck, -1, [&]() -> std::optional<LinkFailure> {
        const std::uint8_t ack = kAck;
        port.discardOutput();
        port.send({&ack, 1});
        return std::nullopt;
    });
    if (failure)
        return *failure;
    return image;
}

} // namespace hx
