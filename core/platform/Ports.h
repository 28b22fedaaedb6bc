#pragma once

#include <string>

namespace hx::platform {

// The device port number n (1-16) names when the port table does not say: the usual
// programming cables of the system (Linux: COM1-4 /dev/ttyUSB0-3, COM5-8
// /dev/ttyACM0-3, COM9-16 /dev/ttyS0-7; Windows: COMn itself).
std::string BuiltInPortDevice(int number);

// The device a port table's entry names: on Linux a bare name such as "ttyUSB0" is
// one below /dev; on Windows COM5 or \\.\COM5 is the port itself.
std::string DeviceOfPortEntry(const std::string& entry);

// Whether the device of a port is there now.
bool PortDevicePresent(const std::string& device);

} // namespace hx::platform
