#pragma once

#include "core/link/SerialPort.h"

#include <atomic>

namespace hx {

// The operator's wish to stop, shared by every port of a run. A stop lets each radio
// in progress be finished and starts no other; an abort also cuts a transfer in
// progress, and the radio it leaves half-written is reported as such. Lock-free, so
// a signal handler may raise it.
class StopSignal {
public:
    void requestStop() noexcept { raise(kStop); }
    void requestAbort() noexcept { raise(kAbort); }
    // The first call stops, any further one aborts: Ctrl+C, then Ctrl+C again.
    void escalate() noexcept { level_.fetch_add(1); }

    bool stopRequested() const noexcept { return level_.load() >= kStop; }
    bool abortRequested() const noexcept { return level_.load() >= kAbort; }

private:
    static constexpr int kStop = 1;
    static constexpr int kAbort = 2;
    void raise(int level) noexcept {
        int now = level_.load();
        while (now < level && !level_.compare_exchange_weak(now, level)) {
        }
    }
    std::atomic<int> level_{0};
    static_assert(std::atomic<int>::is_always_lock_free);
};

// A port that fails, as a pulled cable would, once an abort is requested: the
// transfer ends at its next exchange with a failure that names the step.
class StoppablePort : public SerialPort {
public:
    StoppablePort(SerialPort& port, const StopSignal& signal) : port_(port), signal_(signal) {}

    void setBinaryMode() override;
    void discardOutput() override;
    void send(std::span<const std::uint8_t> bytes) override;
    void discardInput() override;
    std::size_t waitingCount() override;
    std::vector<std::uint8_t> takeAll() override;
    void waitForInput(std::chrono::microseconds atMost) override;

private:
    void throwIfAborted() const;

    SerialPort& port_;
    const StopSignal& signal_;
};

} // namespace hx
