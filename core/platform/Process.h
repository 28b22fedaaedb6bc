#pragma once

#include <filesystem>

namespace hx::platform {

long ThisProcessId();

// Whether process `pid` runs on this machine; one of another user counts too. A number
// no process can have (such as one read from a damaged file name) is not running.
bool ProcessRunning(long pid);

// The running program's own file, or nothing when the system does not tell.
std::filesystem::path ThisProgramFile();

} // namespace hx::platform
