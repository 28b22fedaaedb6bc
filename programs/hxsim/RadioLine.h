#pragma once

#include "core/emulator/RadioEmulator.h"
#include "programs/hxsim/Options.h"

#include <atomic>
#include <optional>
#include <string>

namespace hxsim {

// The line one radio answers on: a pseudo-terminal of its own or a device given. It
// closes what it opened.
class RadioLine {
public:
    // None, with the reason on standard error, when the line cannot be opened.
    static std::optional<RadioLine> OpenPseudoTerminal();
    static std::optional<RadioLine> OpenDevice(const std::string& path);

    RadioLine(RadioLine&& other) noexcept;
    RadioLine& operator=(RadioLine&&) = delete;
    ~RadioLine();

    int fd() const { return fd_; }
    const std::string& device() const { return device_; }

private:
    RadioLine(int fd, int hold, std::string device)
        : fd_(fd), hold_(hold), device_(std::move(device)) {}

    int fd_;
    int hold_; // the far end, kept open while the programmer closes and reopens it; -1: none
    std::string device_;
};

// One radio: its memory at the start, its faults, its files and its timing.
struct RadioSetup {
    RadioMemory memory;
    Faults faults;
    std::string save, log;
    bool fast = false;
    Latency latency{};
    int deafAfterWrite = 0; // ms
};

// Answers on the line as the radio until `stop` is set or the radio hangs up, then
// saves its memory and closes the line: a radio that hangs up is gone for the
// programmer at once.
void Serve(RadioLine line, const RadioSetup& setup, const std::atomic<bool>& stop);

} // namespace hxsim
