#pragma once

#include "core/platform/Process.h"

#include <cerrno>
#include <unistd.h>
#include <utility>

// What the file and port code needs of POSIX beyond the standard library.
namespace hx {

// An open file descriptor, closed when the owner goes.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { reset(-1); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    void reset(int fd) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }
    // Closes now and gives the error close reports (0 for none): some file systems
    // only report a failed write there.
    int close() { return ::close(std::exchange(fd_, -1)) == 0 ? 0 : errno; }

private:
    int fd_;
};

using platform::ProcessRunning;

} // namespace hx
