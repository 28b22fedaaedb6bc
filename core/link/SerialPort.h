#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace hx {

// An error raised by the port itself: the cable pulled, the device gone.
class PortError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The process that keeps a port, as far as the system tells: pid 0 and no program
// when it does not.
struct PortHolder {
    long pid = 0;
    std::string program;
};

// The port cannot be opened because another live process holds it.
class PortInUse : public PortError {
public:
    PortInUse(const std::string& device, PortHolder holder);
    const std::string& device() const { return device_; }
    const PortHolder& holder() const { return holder_; }
    // "hxtool (PID 4242)", "PID 4242", or empty when nothing is known; the same in
    // either interface language.
    static std::string Describe(const PortHolder& holder);

private:
    std::string device_;
    PortHolder holder_;
};

// What the radio link needs of an open serial port (9600 baud, 8N1, no flow
// control). Every operation may throw PortError.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    virtual void setBinaryMode() = 0;
    virtual void discardOutput() = 0;
    virtual void send(std::span<const std::uint8_t> bytes) = 0;
    virtual void discardInput() = 0;
    virtual std::size_t waitingCount() = 0;
    virtual std::vector<std::uint8_t> takeAll() = 0;
    // Returns once a byte arrives or the time is up, whichever comes first.
    virtual void waitForInput(std::chrono::microseconds atMost) = 0;
};

} // namespace hx
