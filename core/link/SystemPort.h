#pragma once

#include "core/link/SerialPort.h"

#include <memory>
#include <string>

namespace hx::platform {

// The system's own serial port on `device` (a Windows port name such as COM5, or a
// path such as \\.\COM17), open at 9600 baud, 8N1, without flow control. Throws
// PortInUse when another program holds it and PortError for any other failure. Built
// where the build has no Qt (Windows); the Linux build opens its ports through Qt.
std::unique_ptr<SerialPort> OpenSerialPort(const std::string& device);

} // namespace hx::platform
