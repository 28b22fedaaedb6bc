#include "core/production/StopSignal.h"

namespace hx {

void StoppablePort::throwIfAborted() const {
    if (signal_.abortRequested())
        throw PortError("stopped by the operator");
}

void StoppablePort::setBinaryMode() {
    throwIfAborted();
    port_.setBinaryMode();
}

void StoppablePort::discardOutput() {
    throwIfAborted();
    port_.discardOutput();
}

void StoppablePort::send(std::span<const std::uint8_t> bytes) {
    throwIfAborted();
    port_.send(bytes);
}

void StoppablePort::discardInput() {
    throwIfAborted();
    port_.discardInput();
}

std::size_t StoppablePort::waitingCount() {
    throwIfAborted();
    return port_.waitingCount();
}

std::vector<std::uint8_t> StoppablePort::takeAll() {
    return port_.takeAll();
}

void StoppablePort::waitForInput(std::chrono::microseconds atMost) {
    throwIfAborted();
    port_.waitForInput(atMost);
}

} // namespace hx
