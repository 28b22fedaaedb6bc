#include "core/platform/Ports.h"

#include <filesystem>
#include <system_error>

namespace hx::platform {

std::string BuiltInPortDevice(int n) {
    if (n <= 4)
        return "/dev/ttyUSB" + std::to_string(n - 1);
    if (n <= 8)
        return "/dev/ttyACM" + std::to_string(n - 5);
    return "/dev/ttyS" + std::to_string(n - 9);
}

std::string DeviceOfPortEntry(const std::string& entry) {
    return entry.empty() || entry.starts_with('/') ? entry : "/dev/" + entry;
}

bool PortDevicePresent(const std::string& device) {
    std::error_code error;
    return std::filesystem::exists(device, error);
}

} // namespace hx::platform
