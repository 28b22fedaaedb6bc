#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace hx {

inline constexpr int kPortCount = 16;

// The device that port number n (1-16) names: key COMn of section Ports of
// Setting/Ports.ini, else the usual programming cables of the platform
// (Linux: COM1-4 /dev/ttyUSB0-3, COM5-8 /dev/ttyACM0-3, COM9-16 /dev/ttyS0-7).
std::string DeviceForPort(int number, const std::filesystem::path& settingDir);

// One choice of the port dialog: the number, the device it names, and whether
// that device is there now.
struct PortChoice {
    int number;
    std::string device;
    bool present;
};
std::vector<PortChoice> ListPortChoices(const std::filesystem::path& settingDir);

// "COM3" (any case) as a port number; a device path gives nothing.
std::optional<int> PortNumberOf(const std::string& name);

} // namespace hx
