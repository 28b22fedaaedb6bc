#pragma once

#include "core/link/SerialPort.h"

#include <QSerialPort>
#include <memory>
#include <string>

namespace hx {

// The radio link's port on Qt's QSerialPort: 9600 baud, 8N1, no flow control.
class QtSerialPort : public SerialPort {
public:
    QtSerialPort() = default;
    // Opens `device`; throws PortError when it cannot be opened.
    void open(const std::string& device);
    void close();
    bool isOpen() const { return port_.isOpen(); }

    void setBinaryMode() override {} // QSerialPort always moves bytes
    void discardOutput() override;
    void send(std::span<const std::uint8_t> bytes) override;
    void discardInput() override;
    std::size_t waitingCount() override;
    std::vector<std::uint8_t> takeAll() override;
    void waitForInput(std::chrono::microseconds atMost) override;

private:
    void throwIfFailed();
    QSerialPort port_;
};

// A port opened on `device`, for callers that hold ports by their interface;
// throws PortError when it cannot be opened.
std::unique_ptr<SerialPort> OpenQtSerialPort(const std::string& device);

} // namespace hx
