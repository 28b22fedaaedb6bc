#pragma once

#include "core/emulator/RadioEmulator.h"

#include <optional>
#include <string>

namespace hxsim {

// How long the radio takes before it answers: from `least` to `most` ms (equal: a fixed
// time), and for `spikePercent` of the answers `spike` ms instead, as a radio that is
// busy now and then.
struct Latency {
    int least = 0;
    int most = 0;
    double spikePercent = 0;
    int spike = 0;
};

// hxsim's command line. File names may hold "%n", the radio's number 1..radios.
struct Options {
    std::string tty, load, save, memory, log;
    bool fast = false;
    int radios = 1;
    int faulty = 0; // the one radio the faults apply to; 0: every radio
    Faults faults;
    Latency latency;
    int deafAfterWrite = 0; // ms the radio answers nothing while it restarts
};

extern const char* const kUsage;

// None for a command line that hxsim cannot follow.
std::optional<Options> ParseOptions(int argc, char** argv);

// The path of radio `number`: every "%n" in `path` becomes its number.
std::string ForRadio(std::string path, int number);

} // namespace hxsim
