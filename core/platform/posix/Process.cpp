#include "core/platform/Process.h"

#include <cerrno>
#include <csignal>
#include <limits>
#include <system_error>
#include <unistd.h>

namespace hx::platform {

long ThisProcessId() {
    return static_cast<long>(::getpid());
}

bool ProcessRunning(long pid) {
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max())
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

std::filesystem::path ThisProgramFile() {
    std::error_code error;
    auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : self;
}

} // namespace hx::platform
