#include "adapters/serial/PortLock.h"

// Windows keeps no lock files for its ports: a port in use refuses to open, and
// nothing is left behind when its holder is killed.
namespace hx {

std::filesystem::path PortLockPath(const std::string&) {
    return {};
}

LockCheck CheckPortLock(const std::filesystem::path&) {
    return {};
}

} // namespace hx
