#include "adapters/serial/QtSerialPort.h"
#include "adapters/serial/QtStationThread.h"
#include "programs/hxtool/CommandPorts.h"
#include "programs/hxtool/QtRuntime.h"

namespace hxtool {

PortRuntime StartPortRuntime() {
    return std::make_shared<QtRuntime>();
}

std::unique_ptr<hx::SerialPort> OpenDevicePort(const std::string& device) {
    return hx::OpenQtSerialPort(device);
}

hx::ThreadStarter StationThreads() {
    return hx::QtStationThreads();
}

} // namespace hxtool
