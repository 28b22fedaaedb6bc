#include "adapters/serial/PortLock.h"

#include "core/files/Posix.h"
#include "core/link/LockFile.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace hx {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(int fd) {
    std::string content;
    char buffer[512];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        content.append(buffer, static_cast<std::size_t>(n));
    return content;
}

std::string ProgramOf(long pid, const LockOwner& owner) {
    if (!owner.program.empty())
        return owner.program;
    std::string program;
    std::getline(std::ifstream("/proc/" + std::to_string(pid) + "/comm"), program);
    return program;
}

bool Blank(const std::string& content) {
    return content.find_first_not_of(" \t\r\n") == std::string::npos;
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
    const Descriptor file(::open(lock.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (file.get() < 0)
        return {};
    // A QLockFile keeps its file locked while it holds the port, from before it writes
    // its number in; holding that lock here also keeps one from taking the file now.
    const bool lockedByOwner = ::flock(file.get(), LOCK_EX | LOCK_NB) != 0;
    const std::string content = ReadAll(file.get());
    const LockOwner owner = ReadLockOwner(content);
    const long pid = owner.pid;
    if (pid > 0 && ProcessRunning(pid))
        return {false, PortHolder{pid, ProgramOf(pid, owner)}};
    if (lockedByOwner || (pid == 0 && !Blank(content)))
        return {false, PortHolder{}}; // held, by someone it does not name
    struct stat opened {};
    if (::fstat(file.get(), &opened) != 0)
        return {};
    // A lock file is created before its owner locks it: an empty one just made may be
    // in the middle of being taken.
    if (Blank(content) && std::time(nullptr) - opened.st_mtime < 2)
        return {false, PortHolder{}};
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
