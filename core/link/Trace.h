#pragma once

#include "core/files/SafeFile.h"
#include "core/link/Protocol.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace hx {

// A port that records every byte sent and received on the port it holds, with its
// time since the trace began and the step of the transfer it belongs to, for a user
// to send to support. It passes every call on unchanged; recording only keeps the
// bytes in memory, so the transfer takes no longer: the text is made afterwards.
class TracedPort final : public SerialPort, public StepListener {
public:
    // `heading`: what the trace is of, e.g. "hxtool write on /dev/ttyUSB0".
    TracedPort(SerialPort& port, std::string heading);

    void setBinaryMode() override { port_.setBinaryMode(); }
    void discardOutput() override { port_.discardOutput(); }
    void send(std::span<const std::uint8_t> bytes) override;
    void discardInput() override;
    std::size_t waitingCount() override { return port_.waitingCount(); }
    std::vector<std::uint8_t> takeAll() override;
    void waitForInput(std::chrono::microseconds atMost) override { port_.waitForInput(atMost); }

    void stepBegins(LinkStep step, int block) override { step_ = {step, block}; }

    // Records what is still waiting unread, such as the start of an answer that came
    // too short, and how the transfer ended: "success", or its failure with the step.
    // Call it once the transfer has ended, before the port closes.
    void end(std::string outcome);
    // The heading with the local time the trace began, then one line per unit: one
    // send, or the bytes received that the program took at once; last the outcome.
    std::string text() const;

private:
    using Clock = std::chrono::steady_clock;
    enum class Kind { Sent, Received, Cleared, LeftWaiting };
    struct Unit {
        Clock::duration at;
        Kind kind;
        std::optional<std::pair<LinkStep, int>> step;
        std::vector<std::uint8_t> bytes;
    };
    void record(Kind kind, std::vector<std::uint8_t> bytes);

    SerialPort& port_;
    std::string heading_;
    Clock::time_point start_ = Clock::now();
    std::chrono::system_clock::time_point started_ = std::chrono::system_clock::now();
    std::optional<std::pair<LinkStep, int>> step_; // none before the first step
    std::vector<Unit> units_;
    std::string outcome_;
};

// How a trace names the end of a transfer that failed with `failure`, or succeeded.
std::string TraceOutcome(const std::optional<LinkFailure>& failure);

// A new file for a trace in `folder`, named by `now` in local time and claimed:
// "trace-20261207-163000.txt", or with "-2", "-3" ... when that name is taken.
std::variant<std::filesystem::path, FileError>
NewTraceFile(const std::filesystem::path& folder, std::chrono::system_clock::time_point now);

} // namespace hx
