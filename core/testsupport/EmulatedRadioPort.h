#pragma once

#include "core/emulator/RadioEmulator.h"
#include "core/link/SerialPort.h"

#include <deque>
#include <functional>
#include <thread>
#include <utility>

// A radio inside the test process: a port whose other end is the emulator. Its
// answers travel as on a line, one byte arriving at each wait for input, so that a
// byte still on its way is not thrown away by discarding what has arrived. Each send
// is kept, in order, for tests that look at the line; `onSend` lets a test act when a
// given frame goes out.
class EmulatedRadioPort : public hx::SerialPort {
public:
    explicit EmulatedRadioPort(const hxsim::RadioMemory& memory, hxsim::Faults faults = {})
        : radio_(memory, faults) {}

    std::vector<std::vector<std::uint8_t>> sends;
    std::function<void(std::span<const std::uint8_t>)> onSend;

    const hxsim::RadioMemory& memory() const { return radio_.memory(); }

    void setBinaryMode() override {}
    void discardOutput() override {}
    void send(std::span<const std::uint8_t> bytes) override {
        sends.emplace_back(bytes.begin(), bytes.end());
        if (onSend)
            onSend(bytes);
        if (hungUp_)
            return;
        auto answer = radio_.receive(bytes);
        hungUp_ = answer.hangUp;
        onTheLine_.insert(onTheLine_.end(), answer.reply.begin(), answer.reply.end());
    }
    void discardInput() override { pending_.clear(); }
    std::size_t waitingCount() override { return pending_.size(); }
    std::vector<std::uint8_t> takeAll() override { return std::exchange(pending_, {}); }
    void waitForInput(std::chrono::microseconds atMost) override {
        if (onTheLine_.empty()) {
            std::this_thread::sleep_for(atMost);
            return;
        }
        pending_.push_back(onTheLine_.front());
        onTheLine_.pop_front();
    }

private:
    hxsim::RadioEmulator radio_;
    std::deque<std::uint8_t> onTheLine_;
    std::vector<std::uint8_t> pending_;
    bool hungUp_ = false;
};
