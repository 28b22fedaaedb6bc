#include "image/DataFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <system_error>
#include <vector>

#if __has_include(<unistd.h>)
#include <unistd.h>
#endif

namespace hx {
namespace {

std::string Describe(const std::filesystem::path& path, const std::string& cause) {
    return path.string() + ": " + cause;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Whatever lies after the image in an existing file; a file too short has none.
std::variant<std::vector<char>, DataFileError> ReadTail(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return std::vector<char>{};
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return DataFileError{Describe(path, "cannot be read")};
    in.seekg(static_cast<std::streamoff>(kImageSize));
    if (!in)
        return std::vector<char>{};
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

bool WriteAll(std::FILE* file, const void* data, std::size_t size) {
    return size == 0 || std::fwrite(data, 1, size, file) == size;
}

bool FlushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0)
        return false;
#if __has_include(<unistd.h>)
    return ::fsync(::fileno(file)) == 0;
#else
    return true;
#endif
}

// A target that exists but may not be written is refused, as the radio tool's
// users expect of a write-protected file, rather than silently replaced.
bool MayOverwrite(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return true;
#if __has_include(<unistd.h>)
    return ::access(path.c_str(), W_OK) == 0;
#else
    const auto perms = std::filesystem::status(path, ec).permissions();
    return (perms & std::filesystem::perms::owner_write) != std::filesystem::perms::none;
#endif
}

} // namespace

std::variant<MemoryImage, DataFileError> ReadDataFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return DataFileError{Describe(path, "cannot be opened")};
    MemoryImage image;
    image.fill(0xFF);
    in.read(reinterpret_cast<char*>(image.data()), static_cast<std::streamsize>(image.size()));
    if (in.bad())
        return DataFileError{Describe(path, "cannot be read")};
    return image;
}

std::variant<std::monostate, DataFileError> WriteDataFile(const std::filesystem::path& path,
                                                          const MemoryImage& image) {
    if (!MayOverwrite(path))
        return DataFileError{Describe(path, "is write-protected")};
    auto tail = ReadTail(path);
    if (auto* error = std::get_if<DataFileError>(&tail))
        return *error;
    const auto& tailBytes = std::get<std::vector<char>>(tail);

    auto temporary = path;
    temporary += ".tmp";
    std::error_code ec;
    {
        File out(std::fopen(temporary.string().c_str(), "wb"));
        if (!out)
            return DataFileError{Describe(path, std::strerror(errno))};
        const bool written = WriteAll(out.get(), image.data(), image.size()) &&
                             WriteAll(out.get(), tailBytes.data(), tailBytes.size()) &&
                             FlushToDisk(out.get());
        if (!written) {
            out.reset();
            std::filesystem::remove(temporary, ec);
            return DataFileError{Describe(path, "could not be written")};
        }
    }
    if (std::filesystem::exists(path, ec))
        std::filesystem::permissions(temporary, std::filesystem::status(path, ec).permissions(),
                                     ec); // the replacement keeps the old file's access
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::filesystem::remove(temporary, ec);
        return DataFileError{Describe(path, "could not be replaced")};
    }
    return std::monostate{};
}

} // namespace hx
