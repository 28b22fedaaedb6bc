#pragma once

#include <cstddef>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

// Whole-file reading and writing for the files a user names: only regular files are
// read or written, and a write either completes or leaves the old file as it was.
// Nothing here throws; every failure comes back as a FileError.
namespace hx {

struct FileError {
    std::string message; // one line, naming the path as given and the cause
};

// Whether a symbolic link is followed to the file it names or refused: files that
// anyone may plant (a lock file in /tmp) must not lead the reader to a device.
enum class Links { Follow, Refuse };

// Up to `limit` bytes from the start of the regular file `path` names. A FIFO, a
// device or a folder is refused without waiting on it or opening it.
std::variant<std::string, FileError>
ReadRegularFile(const std::filesystem::path& path,
                std::size_t limit = std::numeric_limits<std::size_t>::max(),
                Links links = Links::Follow);

// Why WriteFileSafely would refuse `path`, or nothing when it would try: for a caller
// that should not start lengthy work whose result it could not keep.
std::optional<FileError> CheckWriteTarget(const std::filesystem::path& path);

// A name no file has yet in `folder`: stem + extension, else stem-2 + extension and
// so on, claimed by creating it empty, so that two programs or threads never get the
// same one. The folder is made when missing.
std::variant<std::filesystem::path, FileError> ClaimNewFile(const std::filesystem::path& folder,
                                                            const std::string& stem,
                                                            const std::string& extension);

// Makes `bytes` the content of the file `path` names. A symbolic link is followed and
// its target written. An existing file is replaced through a temporary file in its
// folder, which takes the old file's permissions and owner, so a failure at any point
// leaves the old content. The file is written in place instead where a replacement
// could not be the same file: when it has further hard links, belongs to an owner
// this process may not give away, or its folder takes no new file. Folders, devices,
// FIFOs, sockets and write-protected files are refused.
//
// Temporary files are named after the file and the writing process, so a write
// removes what an earlier, killed write of the same file left behind.
std::optional<FileError> WriteFileSafely(const std::filesystem::path& path, std::string_view bytes);

} // namespace hx
