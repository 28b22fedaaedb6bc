#include "core/link/SystemPort.h"
#include "core/platform/windows/Api.h"
#include "core/platform/windows/Handle.h"
#include "core/platform/windows/Wide.h"

#include <algorithm>

namespace hx::platform {
namespace {

constexpr DWORD kInBufferSize = 1024;
constexpr DWORD kOutBufferSize = 512;
constexpr DWORD kSendTimeoutMs = 2000; // a frame takes 140 ms at 9600 baud

// "COM5" as the device namespace spells it; COM10 and above are found only so.
std::wstring DevicePath(const std::string& device) {
    if (device.starts_with("\\\\.\\"))
        return Widened(device);
    return L"\\\\.\\" + Widened(device);
}

class Win32SerialPort : public SerialPort {
public:
    explicit Win32SerialPort(const std::string& device) : device_(device) {
        handle_ = Handle(::CreateFileW(DevicePath(device).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                       nullptr, OPEN_EXISTING, 0, nullptr));
        if (!handle_) {
            const DWORD error = ::GetLastError();
            // Windows does not tell who holds a port; that someone does is certain.
            if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION)
                throw PortInUse(device, {});
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
                throw PortError(device + ": no such port");
            throw PortError(device + ": " + SystemMessage(error));
        }
        ::SetupComm(handle_.get(), kInBufferSize, kOutBufferSize);
        DCB line{};
        line.DCBlength = sizeof line;
        if (!::GetCommState(handle_.get(), &line))
            fail();
        line.BaudRate = CBR_9600;
        line.ByteSize = 8;
        line.Parity = NOPARITY;
        line.StopBits = ONESTOPBIT;
        line.fBinary = TRUE;
        line.fParity = FALSE;
        line.fOutxCtsFlow = FALSE;
        line.fOutxDsrFlow = FALSE;
        line.fDsrSensitivity = FALSE;
        line.fOutX = FALSE;
        line.fInX = FALSE;
        line.fNull = FALSE;
        line.fAbortOnError = FALSE;
        line.fDtrControl = DTR_CONTROL_ENABLE; // the cable takes its power from DTR and RTS
        line.fRtsControl = RTS_CONTROL_ENABLE;
        if (!::SetCommState(handle_.get(), &line))
            fail();
        setReadWait(0);
    }

    void setBinaryMode() override {} // the port always moves bytes

    void discardOutput() override {
        if (!::PurgeComm(handle_.get(), PURGE_TXABORT | PURGE_TXCLEAR))
            fail();
    }

    void send(std::span<const std::uint8_t> bytes) override {
        while (!bytes.empty()) {
            DWORD written = 0;
            if (!::WriteFile(handle_.get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                             &written, nullptr))
                fail();
            if (written == 0)
                throw PortError(device_ + ": the port takes no more bytes");
            bytes = bytes.subspan(written);
        }
        // Returns once the bytes have left, as the link times the answer from then.
        if (!::FlushFileBuffers(handle_.get()))
            fail();
    }

    void discardInput() override {
        received_.clear();
        if (!::PurgeComm(handle_.get(), PURGE_RXABORT | PURGE_RXCLEAR))
            fail();
    }

    std::size_t waitingCount() override { return received_.size() + queued(); }

    std::vector<std::uint8_t> takeAll() override {
        for (DWORD count = queued(); count > 0; count = queued())
            readUpTo(count);
        return std::exchange(received_, {});
    }

    // A read of one byte that the port's timeouts end after `atMost`: the port wakes
    // the program when the byte arrives, where sleeping would wait a whole tick of
    // the system's clock (up to 16 ms) however short the pause.
    void waitForInput(std::chrono::microseconds atMost) override {
        if (waitingCount() > 0)
            return;
        const auto ms = static_cast<DWORD>(std::max<long long>((atMost.count() + 999) / 1000, 1));
        setReadWait(ms);
        readUpTo(1);
        setReadWait(0);
    }

private:
    [[noreturn]] void fail() const {
        throw PortError(device_ + ": " + SystemMessage(::GetLastError()));
    }

    DWORD queued() const {
        DWORD errors = 0;
        COMSTAT status{};
        if (!::ClearCommError(handle_.get(), &errors, &status))
            fail();
        return status.cbInQue;
    }

    void readUpTo(DWORD count) {
        const std::size_t had = received_.size();
        received_.resize(had + count);
        DWORD got = 0;
        const bool read = ::ReadFile(handle_.get(), received_.data() + had, count, &got, nullptr);
        received_.resize(had + (read ? got : 0));
        if (!read)
            fail();
    }

    // 0: a read returns at once with what is there. Otherwise a read with nothing
    // there waits up to `ms` for the first byte and returns with it.
    void setReadWait(DWORD ms) {
        if (ms == readWait_)
            return;
        COMMTIMEOUTS timeouts{};
        timeouts.ReadIntervalTimeout = MAXDWORD;
        timeouts.ReadTotalTimeoutMultiplier = ms == 0 ? 0 : MAXDWORD;
        timeouts.ReadTotalTimeoutConstant = ms;
        timeouts.WriteTotalTimeoutConstant = kSendTimeoutMs;
        if (!::SetCommTimeouts(handle_.get(), &timeouts))
            fail();
        readWait_ = ms;
    }

    std::string device_;
    Handle handle_;
    std::vector<std::uint8_t> received_; // read from the system, not yet taken
    DWORD readWait_ = MAXDWORD;
};

} // namespace

std::unique_ptr<SerialPort> OpenSerialPort(const std::string& device) {
    if (device.empty())
        throw PortError("no device is named for the port");
    return std::make_unique<Win32SerialPort>(device);
}

} // namespace hx::platform
