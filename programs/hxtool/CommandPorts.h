#pragma once

#include "core/link/SerialPort.h"
#include "core/production/CloneRun.h"

#include <memory>
#include <string>

// The serial ports of this build of hxtool: Qt's where the build has Qt, the system's
// own where it has not (the Windows build).
namespace hxtool {

// What the ports need while any is in use (Qt's application object), held by a command
// for as long as it uses ports.
using PortRuntime = std::shared_ptr<void>;
PortRuntime StartPortRuntime();

// The port on `device`, open at 9600 baud 8N1; throws hx::PortError (or hx::PortInUse)
// when it cannot be opened.
std::unique_ptr<hx::SerialPort> OpenDevicePort(const std::string& device);

// The threads cloning stations run on, fit for these ports.
hx::ThreadStarter StationThreads();

} // namespace hxtool
