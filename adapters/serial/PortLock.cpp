#include "adapters/serial/PortLock.h"

#include "core/files/Posix.h"
#include "core/link/LockFile.h"
#include "core/link/SerialDevices.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace hx {
namespace {

namespace fs = std::filesystem;

// The start of the lock: a process number and a program name fit in far less.
std::string ReadStart(int fd) {
    char buffer[128];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

std::string ProgramOf(long pid, const LockOwner& owner) {
    return owner.program.empty() ? FirstLineOf("/proc/" + std::to_string(pid) + "/comm")
                                 : owner.program;
}

} // namespace

fs::path PortLockPath(const std::string& device) {
    const std::string name = LockFileName(device);

    std::error_code error;
    std::vector<fs::path> folders(kLockFolders.begin(), kLockFolders.end());
    folders.push_back(fs::temp_directory_path(error));
    for (const fs::path& folder : folders) {
        const fs::path lock = folder / name;
        if (::access(folder.c_str(), R_OK) == 0 &&
            (fs::exists(lock, error) || ::access(folder.c_str(), W_OK) == 0))
            return lock;
    }
    return {};
}

LockCheck CheckPortLock(const fs::path& lock) {
    if (lock.empty())
        return {};
    // Anyone may plant a lock in /tmp: a FIFO must not hold this up.
    const Descriptor file(::open(lock.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat opened {};
    if (!file || ::fstat(file.get(), &opened) != 0)
        return {};
    if (!S_ISREG(opened.st_mode))
        return {false, PortHolder{}}; // not a lock this program could take over
    // A QLockFile keeps its file locked while it holds the port, from before it writes
    // its number in; holding that lock here also keeps one from taking the file now.
    const bool lockedByOwner = ::flock(file.get(), LOCK_EX | LOCK_NB) != 0;
    const std::string content = ReadStart(file.get());
    const LockOwner owner = ReadLockOwner(content);
    const LockState state = JudgeLock(content, lockedByOwner, ProcessRunning(owner.pid));
    if (state == LockState::Owned)
        return {false, PortHolder{owner.pid, ProgramOf(owner.pid, owner)}};
    // A lock file is created before its owner locks it: an empty one just made may be
    // in the middle of being taken.
    if (state == LockState::Held ||
        (state == LockState::Blank && std::time(nullptr) - opened.st_mtime < 2))
        return {false, PortHolder{}}; // held, by someone it does not name
    // Removed only while the name still stands for the file looked at.
    struct stat named {};
    const bool same = ::lstat(lock.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
                      opened.st_ino == named.st_ino;
    if (!same)
        return {};
    if (::unlink(lock.c_str()) != 0)
        throw PortError(lock.string() +
                        " was left by a program that has ended, and this user "
                        "may not remove it: sudo rm " +
                        lock.string());
    return {true, std::nullopt};
}

} // namespace hx
