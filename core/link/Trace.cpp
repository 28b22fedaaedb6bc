#include "core/link/Trace.h"

#include "core/platform/Clock.h"

#include <cstdio>
#include <ctime>

namespace hx {
namespace {

// `now` in local time as `format` (strftime's) writes it.
std::string LocalTime(std::chrono::system_clock::time_point now, const char* format) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const std::tm local = platform::LocalTime(seconds);
    char text[32];
    return std::string(text, std::strftime(text, sizeof text, format, &local));
}

} // namespace

TracedPort::TracedPort(SerialPort& port, std::string heading)
    : port_(port), heading_(std::move(heading)) {}

void TracedPort::record(Kind kind, std::vector<std::uint8_t> bytes) {
    if (!bytes.empty())
        units_.push_back({Clock::now() - start_, kind, step_, std::move(bytes)});
}

void TracedPort::send(std::span<const std::uint8_t> bytes) {
    record(Kind::Sent, {bytes.begin(), bytes.end()});
    port_.send(bytes);
}

// Bytes the program waited for but did not read (the identity) are still bytes on
// the wire: they are taken here and noted before the port throws them away.
void TracedPort::discardInput() {
    port_.waitForInput(std::chrono::microseconds(0)); // what the system holds but not yet the port
    record(Kind::Cleared, port_.takeAll());
    port_.discardInput();
}

std::vector<std::uint8_t> TracedPort::takeAll() {
    auto bytes = port_.takeAll();
    record(Kind::Received, bytes);
    return bytes;
}

void TracedPort::end(std::string outcome) {
    outcome_ = std::move(outcome);
    try {
        if (port_.waitingCount() > 0)
            record(Kind::LeftWaiting, port_.takeAll());
    } catch (const PortError&) {
        // A port that has failed has nothing more to show.
    }
}

std::string TracedPort::text() const {
    std::string text = heading_ + ", " + LocalTime(started_, "%Y-%m-%d %H:%M:%S") + "\n";
    char line[80];
    std::snprintf(line, sizeof line, "%8s  %-3s  %-32s  %s\n", "time s", "dir", "step", "bytes");
    text += line;
    for (const Unit& unit : units_) {
        const long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(unit.at).count();
        const std::string step =
            unit.step ? Describe(unit.step->first, unit.step->second) : "before the lead code";
        std::snprintf(line, sizeof line, "%4lld.%03lld  %-3s  %-32s ", ms / 1000, ms % 1000,
                      unit.kind == Kind::Sent ? "TX" : "RX", step.c_str());
        text += line;
        if (!unit.bytes.empty())
            text += " " + HexBytes(unit.bytes);
        if (unit.kind == Kind::Cleared)
            text += "  (cleared)";
        else if (unit.kind == Kind::LeftWaiting)
            text += "  (left unread)";
        text += "\n";
    }
    if (!outcome_.empty())
        text += "outcome: " + outcome_ + "\n";
    return text;
}

std::string TraceOutcome(const std::optional<LinkFailure>& failure) {
    return failure ? failure->message() : "success";
}

std::variant<std::filesystem::path, FileError>
NewTraceFile(const std::filesystem::path& folder, std::chrono::system_clock::time_point now) {
    return ClaimNewFile(folder, "trace-" + LocalTime(now, "%Y%m%d-%H%M%S"), ".txt");
}

} // namespace hx
