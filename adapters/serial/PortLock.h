#pragma once

#include "core/link/SerialPort.h"

#include <filesystem>
#include <optional>
#include <string>

namespace hx {

// The lock file that QSerialPort takes for `device`: "LCK.." and the device's name
// below /dev with slashes as underscores, in the first lock folder it may use; empty
// when there is none.
std::filesystem::path PortLockPath(const std::string& device);

// What the lock file of a port says.
struct LockCheck {
    bool removed = false;             // its owner was gone, and the file with it now
    std::optional<PortHolder> holder; // a live process holds the port
};

// Looks at the lock file `lock`. A lock whose owner is gone is removed at once: one
// naming a process that no longer runs, or one left empty by a process killed before
// it wrote its number, which no one is filling now.
LockCheck CheckPortLock(const std::filesystem::path& lock);

} // namespace hx
