#include "core/platform/Ports.h"

#include "core/platform/windows/Api.h"
#include "core/platform/windows/Wide.h"

namespace hx::platform {

std::string BuiltInPortDevice(int n) {
    return "COM" + std::to_string(n);
}

std::string DeviceOfPortEntry(const std::string& entry) {
    return entry;
}

// A port is there when the system has a device of that name (COM5, or \\.\COM5).
bool PortDevicePresent(const std::string& device) {
    std::string name = device;
    if (name.starts_with("\\\\.\\"))
        name.erase(0, 4);
    wchar_t target[1024];
    return ::QueryDosDeviceW(Widened(name).c_str(), target, 1024) != 0;
}

} // namespace hx::platform
