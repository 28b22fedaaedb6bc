#include "core/link/LockFile.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace hx {
namespace {

std::string Line(const std::string& content, int index) {
    std::size_t start = 0;
    for (int i = 0; i < index && start != std::string::npos; ++i) {
        start = content.find('\n', start);
        if (start != std::string::npos)
            ++start;
    }
    if (start == std::string::npos || start >= content.size())
        return {};
    return content.substr(start, content.find('\n', start) - start);
}

// The owner's process number on the first line, as QLockFile writes it and as the
// UUCP tools do ("%10d\n"); 0 when the line holds none.
long OwnerPid(const std::string& line) {
    char* end = nullptr;
    const long pid = std::strtol(line.c_str(), &end, 10);
    const bool rest = std::all_of(static_cast<const char*>(end), line.c_str() + line.size(),
                                  [](char c) { return c == ' ' || c == '\t' || c == '\r'; });
    const bool possible = pid > 0 && pid <= std::numeric_limits<int>::max(); // a pid_t
    return end != line.c_str() && rest && possible ? pid : 0;
}

} // namespace

std::string LockFileName(const std::string& device) {
    const bool path =
        device.starts_with('/') || device.starts_with("./") || device.starts_with("../");
    std::string name = path ? device : "/dev/" + device;
    if (name.starts_with("/dev/"))
        name.erase(0, 5);
    std::replace(name.begin(), name.end(), '/', '_');
    return "LCK.." + name;
}

LockOwner ReadLockOwner(const std::string& content) {
    return {OwnerPid(Line(content, 0)), Line(content, 1)};
}

LockState JudgeLock(const std::string& content, bool flocked, bool ownerRunning) {
    const LockOwner owner = ReadLockOwner(content);
    if (owner.pid > 0 && ownerRunning)
        return LockState::Owned;
    const bool blank = content.find_first_not_of(" \t\r\n") == std::string::npos;
    if (flocked || (owner.pid == 0 && !blank))
        return LockState::Held;
    return blank ? LockState::Blank : LockState::Stale;
}

} // namespace hx
