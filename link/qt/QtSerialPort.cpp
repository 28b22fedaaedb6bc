#include "link/qt/QtSerialPort.h"

#ifdef __linux__
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace hx {
namespace {

constexpr qint64 kInBufferSize = 1024;

// USB serial adapters hold received bytes for up to 16 ms by default, which
// would slow every short exchange; ask for low latency where that is possible.
void AskForLowLatency([[maybe_unused]] QSerialPort& port) {
#ifdef __linux__
    serial_struct serial{};
    const int fd = static_cast<int>(port.handle());
    if (::ioctl(fd, TIOCGSERIAL, &serial) == 0) {
        serial.flags |= ASYNC_LOW_LATENCY;
        ::ioctl(fd, TIOCSSERIAL, &serial); // a refusal leaves the default latency
    }
#endif
}

} // namespace

void QtSerialPort::open(const std::string& device) {
    close();
    port_.setPortName(QString::fromStdString(device));
    port_.setReadBufferSize(kInBufferSize);
    if (!port_.open(QIODevice::ReadWrite))
        throw PortError(device + ": " + port_.errorString().toStdString());
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    AskForLowLatency(port_);
    port_.clearError();
}

void QtSerialPort::close() {
    if (port_.isOpen())
        port_.close();
}

void QtSerialPort::throwIfFailed() {
    const auto error = port_.error();
    if (error != QSerialPort::NoError && error != QSerialPort::TimeoutError) {
        const std::string what = port_.errorString().toStdString();
        port_.clearError();
        throw PortError(what);
    }
    port_.clearError();
}

void QtSerialPort::discardOutput() {
    port_.clear(QSerialPort::Output);
    throwIfFailed();
}

void QtSerialPort::send(std::span<const std::uint8_t> bytes) {
    if (!port_.isOpen())
        throw PortError("the port is not open");
    port_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    while (port_.bytesToWrite() > 0 && port_.waitForBytesWritten(1000)) {
    }
    throwIfFailed();
}

void QtSerialPort::discardInput() {
    port_.clear(QSerialPort::Input);
    port_.readAll();
    throwIfFailed();
}

std::size_t QtSerialPort::waitingCount() {
    if (!port_.isOpen())
        throw PortError("the port is not open");
    return static_cast<std::size_t>(port_.bytesAvailable());
}

std::vector<std::uint8_t> QtSerialPort::takeAll() {
    const QByteArray bytes = port_.readAll();
    throwIfFailed();
    return {bytes.begin(), bytes.end()};
}

void QtSerialPort::waitForInput(std::chrono::microseconds atMost) {
    const int ms = static_cast<int>((atMost.count() + 999) / 1000);
    port_.waitForReadyRead(ms);
    throwIfFailed();
}

std::unique_ptr<SerialPort> OpenQtSerialPort(const std::string& device) {
    auto port = std::make_unique<QtSerialPort>();
    port->open(device);
    return port;
}

} // namespace hx
