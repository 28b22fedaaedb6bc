#include "core/link/SystemPort.h"
#include "programs/hxtool/CommandPorts.h"

namespace hxtool {

PortRuntime StartPortRuntime() {
    return nullptr; // the system's ports need nothing beside them
}

std::unique_ptr<hx::SerialPort> OpenDevicePort(const std::string& device) {
    return hx::platform::OpenSerialPort(device);
}

hx::ThreadStarter StationThreads() {
    return hx::StandardThreads();
}

} // namespace hxtool
