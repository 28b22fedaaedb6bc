#include "core/platform/SharedFile.h"

#include "core/files/Posix.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

namespace hx::platform {
namespace {

std::optional<std::string> WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return std::strerror(n < 0 ? errno : EIO);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> AppendLocked(const std::filesystem::path& path,
                                        const std::function<std::string(bool fileIsEmpty)>& text) {
    // Non-blocking, so a FIFO put in the file's place is refused instead of waited on.
    Descriptor file(
        ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0644));
    if (!file)
        return std::strerror(errno);
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return std::strerror(errno);
    if (!S_ISREG(info.st_mode))
        return "is not a file";
    if (::flock(file.get(), LOCK_EX) != 0 || ::fstat(file.get(), &info) != 0)
        return std::strerror(errno);
    if (auto error = WriteAll(file.get(), text(info.st_size == 0)))
        return error;
    if (::fdatasync(file.get()) != 0)
        return std::strerror(errno);
    if (const int error = file.close())
        return std::strerror(error);
    return std::nullopt;
}

} // namespace hx::platform
