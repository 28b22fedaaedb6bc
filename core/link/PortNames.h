#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <variant>
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

// The number of "COM" followed by digits (any case), whether or not such a port
// exists; a device path gives nothing.
std::optional<int> PortNumberOf(const std::string& name);

struct PortNameError {
    std::string message;
};
// The device that a port named on the command line opens: COM1 to COM16 through the
// port table, a device path as it is. An empty name, another COM number, or a number
// that names no device is an error that says which port numbers there are and which
// of them have their device present now.
std::variant<std::string, PortNameError> DeviceForPortName(const std::string& name,
                                                           const std::filesystem::path& settingDir);

} // namespace hx
