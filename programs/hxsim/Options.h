#pragma once

#include "core/emulator/RadioEmulator.h"

#include <optional>
#include <string>

namespace hxsim {

// hxsim's command line. File names may hold "%n", the radio's number 1..radios.
struct Options {
    std::string tty, load, save, memory, log;
    bool fast = false;
    int radios = 1;
    int faulty = 0; // the one radio the faults apply to; 0: every radio
    Faults faults;
};

extern const char* const kUsage;

// None for a command line that hxsim cannot follow.
std::optional<Options> ParseOptions(int argc, char** argv);

// The path of radio `number`: every "%n" in `path` becomes its number.
std::string ForRadio(std::string path, int number);

} // namespace hxsim
