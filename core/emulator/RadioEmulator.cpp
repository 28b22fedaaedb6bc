#include "core/emulator/RadioEmulator.h"

#include <algorithm>
#include <cstdio>

namespace hxsim {
namespace {

constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kNak = 0x15;
constexpr std::uint8_t kLeadCode[] = {0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M'};
// What the radio answers to 0x02; the programmer does not look at it.
constexpr std::uint8_t kIdentity[] = {'H', 'X', '7', '2', '0', '0', 0x01, 0x00};

constexpr int kLastWrittenBlock = 122; // a write sends blocks 0-122

int BlockOf(std::uint8_t high, std::uint8_t low) {
    return (high * 256 + low) / 8;
}

} // namespace

RadioEmulator::Answer RadioEmulator::receive(std::span<const std::uint8_t> bytes) {
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
    Answer answer;
    while (!answer.hangUp && !buffer_.empty() && takeMessage(answer)) {
    }
    return answer;
}

bool RadioEmulator::takeMessage(Answer& answer) {
    const auto take = [&](std::size_t n) {
        answer.frames.emplace_back(buffer_.begin(), buffer_.begin() + static_cast<long>(n));
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<long>(n));
        return answer.frames.back();
    };
    const bool leadCodeStart =
        buffer_[0] == 0x02 && (buffer_.size() == 1 ? !programming_ : buffer_[1] == 'P');
    if (leadCodeStart) {
        if (buffer_.size() < std::size(kLeadCode))
            return false;
        if (!std::equal(std::begin(kLeadCode), std::end(kLeadCode), buffer_.begin())) {
            buffer_.erase(buffer_.begin()); // line noise
            return true;
        }
        take(std::size(kLeadCode));
        programming_ = true;
        nextBlock_ = 0;
        if (!faults_.silentToLeadCode)
            answer.reply.push_back(faults_.wrongLeadCodeAnswer ? kNak : kAck);
        return true;
    }
    if (!programming_) {
        buffer_.erase(buffer_.begin());
        return true;
    }
    switch (buffer_[0]) {
    case 0x02:
        take(1);
        answer.reply.insert(answer.reply.end(), std::begin(kIdentity),
                            std::end(kIdentity) - (faults_.shortIdentity ? 1 : 0));
        return true;
    case kAck:
        take(1);
        if (nextBlock_ == faults_.hangUpBeforeBlock) {
            answer.hangUp = true;
            return true;
        }
        if (!faultFrom(faults_.noAckFromBlock, nextBlock_))
            answer.reply.push_back(kAck);
        return true;
    case 'W': {
        if (buffer_.size() < 12)
            return false;
        const auto frame = take(12);
        const int block = BlockOf(frame[1], frame[2]);
        if (block == faults_.hangUpAtBlock) {
            answer.hangUp = true;
            return true;
        }
        const std::size_t address = static_cast<std::size_t>(block) * 8;
        if (address + 8 <= memory_.size()) {
            std::copy(frame.begin() + 4, frame.end(), memory_.begin() + static_cast<long>(address));
            if (const auto& corrupt = faults_.corrupt;
                corrupt && corrupt->address >= address && corrupt->address < address + 8) {
                auto& stored = memory_[corrupt->address];
                stored = corrupt->value.value_or(static_cast<std::uint8_t>(stored ^ 0x01));
            }
            answer.memoryChanged = true;
        }
        nextBlock_ = block + 1;
        if (!faultFrom(faults_.noAckFromBlock, block))
            answer.reply.push_back(kAck);
        if (faults_.restartAfterWrite && block == kLastWrittenBlock) {
            answer.restarting = true;
            programming_ = false;
            buffer_.clear();
        }
        return true;
    }
    case 'R': {
        if (buffer_.size() < 4)
            return false;
        const auto request = take(4);
        const int block = BlockOf(request[1], request[2]);
        if (block == faults_.hangUpAtBlock) {
            answer.hangUp = true;
            return true;
        }
        nextBlock_ = block + 1;
        std::vector<std::uint8_t> reply = {'W', request[1], request[2], 8};
        const std::size_t address = static_cast<std::size_t>(block % 128) * 8;
        reply.insert(reply.end(), memory_.begin() + static_cast<long>(address),
                     memory_.begin() + static_cast<long>(address + 8));
        if (block == faults_.ackReplyAtBlock)
            reply[0] = kAck;
        if (block == faults_.shortReplyAtBlock)
            reply.pop_back();
        answer.reply.insert(answer.reply.end(), reply.begin(), reply.end());
        return true;
    }
    default:
        buffer_.erase(buffer_.begin());
        return true;
    }
}

} // namespace hxsim
