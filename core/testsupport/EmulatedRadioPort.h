#pragma once

#include "core/emulator/RadioEmulator.h"
#include "core/link/SerialPort.h"

#include <chrono>
#include <deque>
#include <functional>
#include <thread>
#include <utility>

// A radio inside the test process: a port whose other end is the emulator. Its
// answers travel as on a line, one byte arriving at each wait for input, so that a
// byte still on its way is not thrown away by discarding what has arrived. Each send
// is kept, in order, for tests that look at the line; `onSend` lets a test act when a
// given frame goes out. A radio may take time over its answers (`latency`, asked once
// per answer) and be deaf while it restarts after a write (`deafAfterRestart`).
class EmulatedRadioPort : public hx::SerialPort {
public:
    using Clock = std::chrono::steady_clock;

    explicit EmulatedRadioPort(const hxsim::RadioMemory& memory, hxsim::Faults faults = {})
        : radio_(memory, faults) {}

    std::vector<std::vector<std::uint8_t>> sends;
    std::function<void(std::span<const std::uint8_t>)> onSend;
    std::function<std::chrono::milliseconds()> latency;
    std::chrono::milliseconds deafAfterRestart{0};

    const hxsim::RadioMemory& memory() const { return radio_.memory(); }

    void setBinaryMode() override {}
    void discardOutput() override {}
    void send(std::span<const std::uint8_t> bytes) override {
        sends.emplace_back(bytes.begin(), bytes.end());
        if (onSend)
            onSend(bytes);
        if (hungUp_ || Clock::now() < deafUntil_)
            return;
        auto answer = radio_.receive(bytes);
        hungUp_ = answer.hangUp;
        if (answer.restarting)
            deafUntil_ = Clock::now() + deafAfterRestart;
        const auto at = Clock::now() + (latency ? latency() : std::chrono::milliseconds(0));
        for (const std::uint8_t byte : answer.reply)
            onTheLine_.push_back({at, byte});
    }
    void discardInput() override { pending_.clear(); }
    std::size_t waitingCount() override { return pending_.size(); }
    std::vector<std::uint8_t> takeAll() override { return std::exchange(pending_, {}); }
    void waitForInput(std::chrono::microseconds atMost) override {
        const auto until = Clock::now() + atMost;
        if (onTheLine_.empty() || onTheLine_.front().at > until) {
            std::this_thread::sleep_for(atMost);
            return;
        }
        std::this_thread::sleep_until(onTheLine_.front().at);
        pending_.push_back(onTheLine_.front().byte);
        onTheLine_.pop_front();
    }

private:
    struct Travelling {
        Clock::time_point at; // when it arrives
        std::uint8_t byte;
    };
    hxsim::RadioEmulator radio_;
    std::deque<Travelling> onTheLine_;
    std::vector<std::uint8_t> pending_;
    bool hungUp_ = false;
    Clock::time_point deafUntil_{};
};
