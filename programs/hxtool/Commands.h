#pragma once

#include "core/link/CableDoctor.h"

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

// The sub-commands of hxtool. Each takes the words after its name and returns the
// process exit status.
namespace hxtool {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1; // bad input or a failed transfer
inline constexpr int kExitUsage = 2;   // the command line itself is wrong
// Written, but the radio did not answer the read-back: what it holds is not known.
inline constexpr int kExitUnverified = 3;

struct Invocation {
    std::vector<std::string> args;   // the words after the sub-command
    std::filesystem::path appFolder; // where Setting and Data lie, as for hxprog
    std::ostream& out;
    std::ostream& err;
    hx::SystemView system = hx::ThisSystem(); // what `doctor` looks at
};

int RunDecode(const Invocation& invocation);
int RunEncode(const Invocation& invocation);
int RunRead(const Invocation& invocation);
int RunWrite(const Invocation& invocation);
int RunClone(const Invocation& invocation);
int RunDoctor(const Invocation& invocation);
int RunDiff(const Invocation& invocation);
int RunExport(const Invocation& invocation); // a data file as a spreadsheet's plan file
int RunImport(const Invocation& invocation); // and back
int RunCard(const Invocation& invocation);

} // namespace hxtool
