#include "adapters/serial/QtSerialPort.h"

#include "adapters/serial/PortLock.h"

#include <cerrno>
#include <cstring>

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

// The system's reason for the port's last failure, or nothing when it gave none: Qt
// says "Unknown error" for a failure without a reason, and a reason left behind by an
// earlier ioctl that a port without driver options refused tells nothing either.
std::string Reason(const QSerialPort& port) {
    const QString text = port.errorString();
    if (text == QIODevice::tr("Unknown error") ||
        text == QString::fromLocal8Bit(std::strerror(ENOTTY)).trimmed())
        return {};
    return text.toStdString();
}

} // namespace

void QtSerialPort::open(const std::string& device) {
    close();
    if (device.empty())
        throw PortError("no device is named for the port");
    port_.setPortName(QString::fromStdString(device));
    port_.setReadBufferSize(kInBufferSize);
    if (!port_.open(QIODevice::ReadWrite)) {
        // QSerialPort takes a lock left empty by a killed process for a live one for
        // half a minute, and does not say who holds a port that is in use.
        const LockCheck lock = port_.error() == QSerialPort::PermissionError
                                   ? CheckPortLock(PortLockPath(device))
                                   : LockCheck{};
        if (lock.holder)
            throw PortInUse(device, *lock.holder);
        if (!lock.removed || !port_.open(QIODevice::ReadWrite)) {
            const std::string reason = Reason(port_);
            throw PortError(device + ": " + (reason.empty() ? "cannot be opened" : reason));
        }
    }
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
        const std::string reason = Reason(port_);
        port_.clearError();
        throw PortError(reason);
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
