#include "core/files/SafeFile.h"

#include "core/files/TemporaryName.h"
#include "core/platform/windows/Api.h"
#include "core/platform/windows/Handle.h"
#include "core/platform/windows/Wide.h"

#include <atomic>
#include <system_error>
#include <utility>

namespace hx {
namespace {

namespace fs = std::filesystem;
using platform::Handle;

// The path as the user gave it, in UTF-8 whatever the system's code page.
std::string Shown(const fs::path& path) {
    return platform::Narrowed(path.native());
}

FileError Failure(const fs::path& path, std::string_view cause) {
    return {Shown(path) + ": " + std::string(cause)};
}

// Windows' own words for most errors; a file another program keeps open (a
// spreadsheet holds its files so) is said plainly, as it is the common case.
FileError SystemFailure(const fs::path& path, DWORD error) {
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
        return Failure(path, "is open in another program");
    if (error == ERROR_ACCESS_DENIED)
        return Failure(path, "access is denied");
    return Failure(path, platform::SystemMessage(error));
}

fs::path FolderOf(const fs::path& file) {
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

// Why a file with these attributes is no file to read or write whole, or nothing.
std::optional<std::string_view> NotARegularFile(const fs::path& path) {
    std::error_code error;
    const auto status = fs::status(path, error);
    switch (status.type()) {
    case fs::file_type::regular:
        return std::nullopt;
    case fs::file_type::directory:
        return "is a folder, not a file";
    case fs::file_type::character:
    case fs::file_type::block:
        return "is a device, not a file";
    case fs::file_type::fifo:
        return "is a FIFO (named pipe), not a file";
    default:
        return "is not a regular file";
    }
}

// A file handle's own check: only a file on a disk is one, whatever its name said.
bool IsDiskFile(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    return ::GetFileType(file) == FILE_TYPE_DISK && ::GetFileInformationByHandle(file, &info) &&
           !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The path with every symbolic link followed; a link may point at a file that does
// not exist yet.
std::variant<fs::path, FileError> FollowLinks(const fs::path& given) {
    constexpr int kMaxLinks = 40;
    fs::path path = given;
    for (int links = 0; links <= kMaxLinks; ++links) {
        std::error_code error;
        if (!fs::is_symlink(path, error))
            return path;
        const fs::path link = fs::read_symlink(path, error);
        if (error)
            return Failure(given, error.message());
        path = link.is_absolute() ? link : FolderOf(path) / link;
    }
    return Failure(given, "too many levels of symbolic links");
}

struct Target {
    fs::path file; // the path with its links followed
    bool exists = false;
};

std::variant<Target, FileError> Inspect(const fs::path& path) {
    if (path.empty())
        return Failure(path, "no file named");
    auto followed = FollowLinks(path);
    if (const auto* error = std::get_if<FileError>(&followed))
        return *error;
    // In full, with the system's separators: ReplaceFileW takes no other form everywhere.
    std::error_code unresolved;
    fs::path file = fs::absolute(std::get<fs::path>(followed), unresolved).make_preferred();
    Target target{unresolved ? std::get<fs::path>(std::move(followed)) : std::move(file)};
    const DWORD attributes = ::GetFileAttributesW(target.file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        target.exists = true;
    else if (const DWORD error = ::GetLastError();
             error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
        return SystemFailure(path, error);
    return target;
}

std::optional<FileError> Refusal(const fs::path& path, const Target& target) {
    if (target.exists) {
        if (const auto why = NotARegularFile(target.file))
            return Failure(path, *why);
        if (::GetFileAttributesW(target.file.c_str()) & FILE_ATTRIBUTE_READONLY)
            return Failure(path, "is write-protected");
        return std::nullopt;
    }
    const DWORD folder = ::GetFileAttributesW(FolderOf(target.file).c_str());
    if (folder == INVALID_FILE_ATTRIBUTES)
        return Failure(path, "its folder does not exist");
    if (!(folder & FILE_ATTRIBUTE_DIRECTORY))
        return SystemFailure(path, ERROR_DIRECTORY);
    return std::nullopt;
}

// Writes all of `bytes` and makes them reach the disk; 0 or the error.
DWORD WriteAndFlush(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr))
            return ::GetLastError();
        bytes.remove_prefix(written);
    }
    return ::FlushFileBuffers(file) ? 0 : ::GetLastError();
}

// A new file beside `file`, removed again unless it replaced `file`.
class TemporaryFile {
public:
    explicit TemporaryFile(const fs::path& file) {
        static std::atomic<unsigned> serial{0};
        constexpr int kAttempts = 100;
        error_ = ERROR_FILE_EXISTS;
        for (int attempt = 0; attempt < kAttempts && error_ == ERROR_FILE_EXISTS; ++attempt) {
            path_ = FolderOf(file) / TemporaryName(file, serial++);
            handle_ =
                Handle(::CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
            error_ = handle_ ? 0 : ::GetLastError();
        }
        if (error_ != 0)
            path_.clear();
    }
    ~TemporaryFile() {
        handle_.reset();
        if (!path_.empty())
            ::DeleteFileW(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    DWORD error() const { return error_; }

    DWORD write(std::string_view bytes) {
        const DWORD error = WriteAndFlush(handle_.get(), bytes);
        handle_.reset();
        return error;
    }

    // Puts the written file in the place of `file` in one step; ReplaceFileW keeps
    // the old file's access rights and attributes. 0 or the error.
    DWORD replace(const fs::path& file, bool exists) {
        const bool done = exists
                              ? ::ReplaceFileW(file.c_str(), path_.c_str(), nullptr,
                                               REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                              : ::MoveFileExW(path_.c_str(), file.c_str(),
                                              MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (!done)
            return ::GetLastError();
        path_.clear();
        return 0;
    }

private:
    fs::path path_;
    Handle handle_;
    DWORD error_ = 0;
};

// The last resort for a file that cannot be replaced: its own bytes are overwritten,
// so it keeps its links, though a failure may leave it half written.
std::optional<FileError> WriteInPlace(const fs::path& path, const fs::path& file,
                                      std::string_view bytes) {
    const Handle handle(::CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_WRITE_THROUGH, nullptr));
    if (!handle)
        return SystemFailure(path, ::GetLastError());
    if (!IsDiskFile(handle.get()))
        return Failure(path, "is not a regular file");
    DWORD error = WriteAndFlush(handle.get(), bytes);
    if (error == 0 && !::SetEndOfFile(handle.get()))
        error = ::GetLastError();
    return error == 0 ? std::nullopt : std::optional(SystemFailure(path, error));
}

DWORD LinkCount(const fs::path& file) {
    const Handle handle(::CreateFileW(file.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, 0, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    return handle && ::GetFileInformationByHandle(handle.get(), &info) ? info.nNumberOfLinks : 1;
}

} // namespace

std::variant<std::string, FileError> ReadRegularFile(const fs::path& path, std::size_t limit,
                                                     Links links) {
    // Looked at before opening: opening a device (a COM port) can wait or have effects.
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return SystemFailure(path, ::GetLastError());
    const bool link = attributes & FILE_ATTRIBUTE_REPARSE_POINT;
    if (link && links == Links::Refuse)
        return Failure(path, "is a symbolic link");
    if (const auto why = NotARegularFile(path))
        return Failure(path, *why);
    const Handle file(::CreateFileW(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, links == Links::Refuse ? FILE_FLAG_OPEN_REPARSE_POINT : 0, nullptr));
    if (!file)
        return SystemFailure(path, ::GetLastError());
    if (!IsDiskFile(file.get())) // replaced since it was looked at
        return Failure(path, "is not a regular file");
    std::string bytes;
    char buffer[16384];
    while (bytes.size() < limit) {
        DWORD n = 0;
        const auto want = static_cast<DWORD>(std::min(sizeof buffer, limit - bytes.size()));
        if (!::ReadFile(file.get(), buffer, want, &n, nullptr))
            return SystemFailure(path, ::GetLastError());
        if (n == 0)
            break;
        bytes.append(buffer, n);
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

    // A file another program keeps open without letting it be replaced is found before
    // anything is written.
    if (target.exists) {
        const Handle probe(::CreateFileW(target.file.c_str(), DELETE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, 0, nullptr));
        if (!probe && ::GetLastError() == ERROR_SHARING_VIOLATION)
            return SystemFailure(path, ERROR_SHARING_VIOLATION);
    }
    // A replacement would leave the file's other names with the old content.
    if (target.exists && LinkCount(target.file) > 1)
        return WriteInPlace(path, target.file, bytes);
    TemporaryFile temporary(target.file);
    if (temporary.error() != 0) {
        // A folder that refuses a new file leaves the file itself to be written; any
        // other failure (a full disk) would leave a half-written file, so it stops.
        if (target.exists && temporary.error() == ERROR_ACCESS_DENIED)
            return WriteInPlace(path, target.file, bytes);
        return SystemFailure(path, temporary.error());
    }
    DWORD error = temporary.write(bytes);
    if (error == 0)
        error = temporary.replace(target.file, target.exists);
    if (error != 0)
        return SystemFailure(path, error);
    return std::nullopt;
}

std::variant<fs::path, FileError> ClaimNewFile(const fs::path& folder, const std::string& stem,
                                               const std::string& extension) {
    constexpr int kMostNames = 1000;
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        return FileError{Shown(folder) + ": " + error.message()};
    const auto named = [&](int n) {
        const std::string name = stem + (n == 1 ? "" : "-" + std::to_string(n)) + extension;
        return folder / std::u8string(name.begin(), name.end());
    };
    for (int n = 1; n <= kMostNames; ++n) {
        const auto path = named(n);
        const Handle claim(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                         CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (claim)
            return path;
        if (const DWORD failure = ::GetLastError(); failure != ERROR_FILE_EXISTS)
            return SystemFailure(path, failure);
    }
    return Failure(named(1), "too many files of that name");
}

} // namespace hx
