#include "core/files/SafeFile.h"

#include "core/files/Posix.h"
#include "core/files/TemporaryName.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace hx {
namespace {

namespace fs = std::filesystem;

FileError Failure(const fs::path& path, std::string_view cause) {
    return {path.string() + ": " + std::string(cause)};
}

FileError SystemFailure(const fs::path& path, int error) {
    return Failure(path, std::strerror(error));
}

// Why a file of this kind is no file to read or write whole, or nothing for a regular file.
std::optional<std::string_view> NotARegularFile(mode_t mode) {
    if (S_ISREG(mode))
        return std::nullopt;
    if (S_ISDIR(mode))
        return "is a folder, not a file";
    if (S_ISFIFO(mode))
        return "is a FIFO (named pipe), not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "is a device, not a file";
    if (S_ISSOCK(mode))
        return "is a socket, not a file";
    return "is not a regular file";
}

// Writes all of `bytes` from the start of the file; 0 or the error.
int WriteAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

// A file system that cannot sync (EINVAL) has nothing more to do.
int Sync(int fd) {
    return ::fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
}

fs::path FolderOf(const fs::path& file) {
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

// The file a path finally names, with every symbolic link followed; a link may point
// at a file that does not exist yet. An error number when the links go round.
std::variant<fs::path, int> FollowLinks(fs::path path) {
    constexpr int kMaxLinks = 40; // as the kernel allows
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        // As the kernel protects sticky, world-writable folders such as /tmp: a link
        // there that another user planted is not followed.
        struct stat folder {};
        if (::stat(FolderOf(path).c_str(), &folder) == 0 && (folder.st_mode & S_ISVTX) &&
            (folder.st_mode & S_IWOTH) && info.st_uid != ::geteuid() &&
            info.st_uid != folder.st_uid)
            return EACCES;
        std::error_code error;
        const fs::path link = fs::read_symlink(path, error);
        if (error)
            return error.value();
        path = link.is_absolute() ? link : FolderOf(path) / link;
    }
    return ELOOP;
}

struct Target {
    fs::path file;                      // the path with its links followed
    std::optional<struct stat> current; // what is there now; nothing for a new file
};

std::variant<Target, FileError> Inspect(const fs::path& path) {
    if (path.empty())
        return Failure(path, "no file named");
    auto followed = FollowLinks(path);
    if (const int* error = std::get_if<int>(&followed))
        return SystemFailure(path, *error);
    Target target{std::get<fs::path>(std::move(followed)), std::nullopt};
    struct stat info {};
    if (::lstat(target.file.c_str(), &info) == 0)
        target.current = info;
    else if (errno != ENOENT)
        return SystemFailure(path, errno);
    return target;
}

bool MayWrite(const fs::path& path, int mode) {
    return ::faccessat(AT_FDCWD, path.c_str(), mode, AT_EACCESS) == 0;
}

std::optional<FileError> Refusal(const fs::path& path, const Target& target) {
    if (target.current) {
        if (const auto why = NotARegularFile(target.current->st_mode))
            return Failure(path, *why);
        // A write-protected file is refused, as its owner meant, although its folder
        // would let a replacement in.
        if (!MayWrite(target.file, W_OK))
            return errno == EACCES ? Failure(path, "is write-protected")
                                   : SystemFailure(path, errno);
        return std::nullopt;
    }
    const fs::path folder = FolderOf(target.file);
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0)
        return errno == ENOENT ? Failure(path, "its folder does not exist")
                               : SystemFailure(path, errno);
    if (!S_ISDIR(info.st_mode))
        return SystemFailure(path, ENOTDIR);
    if (!MayWrite(folder, W_OK | X_OK))
        return SystemFailure(path, errno);
    return std::nullopt;
}

// A new file beside `file`, removed again unless it replaced `file`.
class TemporaryFile {
public:
    TemporaryFile(const fs::path& file, mode_t mode) {
        static std::atomic<unsigned> serial{0};
        constexpr int kAttempts = 100;
        error_ = EEXIST;
        for (int attempt = 0; attempt < kAttempts && error_ == EEXIST; ++attempt) {
            path_ = FolderOf(file) / TemporaryName(file, serial++);
            fd_.reset(::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
            error_ = fd_ ? 0 : errno;
        }
        if (error_ != 0)
            path_.clear();
    }
    ~TemporaryFile() {
        fd_.reset(-1);
        if (!path_.empty())
            ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int error() const { return error_; }
    int fd() const { return fd_.get(); }

    // Writes, syncs and closes; 0 or the error.
    int write(std::string_view bytes) {
        int error = WriteAll(fd_.get(), bytes);
        if (error == 0)
            error = Sync(fd_.get());
        const int closed = fd_.close();
        return error != 0 ? error : closed;
    }

    // Puts the written file in the place of `file` in one step; 0 or the error.
    int replace(const fs::path& file) {
        if (::rename(path_.c_str(), file.c_str()) != 0)
            return errno;
        path_.clear();
        return 0;
    }

private:
    fs::path path_;
    Descriptor fd_{-1};
    int error_ = 0;
};

// Gives the new file the old one's owner and access; false where this process may not.
bool TakeOver(int fd, const struct stat& old) {
    struct stat mine {};
    if (::fstat(fd, &mine) != 0)
        return false;
    if ((mine.st_uid != old.st_uid || mine.st_gid != old.st_gid) &&
        ::fchown(fd, old.st_uid, old.st_gid) != 0)
        return false;
    return ::fchmod(fd, old.st_mode & 07777) == 0; // after fchown, which clears set-id bits
}

// The last resort for a file that cannot be replaced: its own bytes are overwritten,
// so it keeps its owner, access and links, though a failure may leave it half written.
std::optional<FileError> WriteInPlace(const fs::path& path, const fs::path& file,
                                      std::string_view bytes) {
    Descriptor fd(::open(file.c_str(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    if (!fd)
        return SystemFailure(path, errno);
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        return SystemFailure(path, errno);
    if (const auto why = NotARegularFile(info.st_mode))
        return Failure(path, *why);
    int error = WriteAll(fd.get(), bytes);
    const auto size = static_cast<off_t>(bytes.size());
    if (error == 0 && info.st_size > size && ::ftruncate(fd.get(), size) != 0)
        error = errno;
    if (error == 0)
        error = Sync(fd.get());
    if (error == 0)
        error = fd.close();
    return error == 0 ? std::nullopt : std::optional(SystemFailure(path, error));
}

// Makes a completed rename last through a power cut; a folder that cannot be synced
// still holds the new file.
void SyncFolder(const fs::path& folder) {
    const Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd)
        Sync(fd.get());
}

} // namespace

std::variant<std::string, FileError> ReadRegularFile(const fs::path& path, std::size_t limit,
                                                     Links links) {
    // Looked at before opening: opening a device or a FIFO can wait or have effects.
    const bool follow = links == Links::Follow;
    struct stat info {};
    if ((follow ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info)) != 0)
        return SystemFailure(path, errno);
    if (const auto why = NotARegularFile(info.st_mode))
        return Failure(path, S_ISLNK(info.st_mode) ? "is a symbolic link" : *why);
    const Descriptor fd(
        ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | (follow ? 0 : O_NOFOLLOW)));
    if (!fd)
        return SystemFailure(path, errno);
    if (::fstat(fd.get(), &info) != 0)
        return SystemFailure(path, errno);
    if (const auto why = NotARegularFile(info.st_mode)) // replaced since it was looked at
        return Failure(path, *why);
    std::string bytes;
    char buffer[16384];
    while (bytes.size() < limit) {
        const ssize_t n = ::read(fd.get(), buffer, std::min(sizeof buffer, limit - bytes.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return SystemFailure(path, errno);
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

std::optional<FileError> CheckWriteTarget(const fs::path& path) {
    const auto target = Inspect(path);
    if (const auto* error = std::get_if<FileError>(&target))
        return *error;
    return Refusal(path, std::get<Target>(target));
}

std::optional<FileError> WriteFileSafely(const fs::path& path, std::string_view bytes) {
    const auto inspected = Inspect(path);
    if (const auto* error = std::get_if<FileError>(&inspected))
        return *error;
    const Target& target = std::get<Target>(inspected);
    if (auto refusal = Refusal(path, target))
        return refusal;
    RemoveLeftovers(target.file);

    const auto& old = target.current;
    // A replacement would leave the file's other names with the old content.
    if (old && old->st_nlink > 1)
        return WriteInPlace(path, target.file, bytes);
    TemporaryFile temporary(target.file, old ? S_IRUSR | S_IWUSR : 0666);
    const bool created = temporary.error() == 0;
    if (!created && !old)
        return SystemFailure(path, temporary.error());
    // A folder that refuses a new file, or an owner this process may not give away,
    // leaves the file itself to be written. Any other failure (a full disk, no free
    // inode) would leave a half-written file in place, so it stops the save.
    const bool refused = temporary.error() == EACCES || temporary.error() == EPERM;
    if (!created && !refused)
        return SystemFailure(path, temporary.error());
    if (!created || (old && !TakeOver(temporary.fd(), *old)))
        return WriteInPlace(path, target.file, bytes);
    int error = temporary.write(bytes);
    if (error == 0)
        error = temporary.replace(target.file);
    if (error != 0)
        return SystemFailure(path, error);
    SyncFolder(FolderOf(target.file));
    return std::nullopt;
}

std::variant<std::filesystem::path, FileError> ClaimNewFile(const std::filesystem::path& folder,
                                                            const std::string& stem,
                                                            const std::string& extension) {
    constexpr int kMostNames = 1000;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return FileError{folder.string() + ": " + error.message()};
    for (int n = 1; n <= kMostNames; ++n) {
        const auto path = folder / (stem + (n == 1 ? "" : "-" + std::to_string(n)) + extension);
        Descriptor claim(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
        if (claim)
            return path;
        if (errno != EEXIST)
            return FileError{path.string() + ": " + std::strerror(errno)};
    }
    return FileError{(folder / (stem + extension)).string() + ": too many files of that name"};
}

} // namespace hx
