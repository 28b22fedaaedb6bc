#include "core/image/DataFile.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <system_error>

namespace hx {

namespace {

// The image a file's first bytes make; what a short file lacks stays blank (0xFF).
MemoryImage ImageOf(const std::string& read) {
    MemoryImage image;
    image.fill(0xFF);
    std::transform(read.begin(), read.end(), image.begin(),
                   [](char c) { return static_cast<std::uint8_t>(c); });
    return image;
}

// A whole image, opening with the identity text.
bool IsDataFileStart(std::string_view bytes) {
    return bytes.size() >= kImageSize && bytes.starts_with(kImageIdentity);
}

} // namespace

std::variant<MemoryImage, DataFileError> ReadDataFile(const std::filesystem::path& path) {
    const auto bytes = ReadRegularFile(path, kImageSize);
    if (const auto* error = std::get_if<FileError>(&bytes))
        return *error;
    return ImageOf(std::get<std::string>(bytes));
}

std::variant<MemoryImage, DataFileError> ReadCheckedDataFile(const std::filesystem::path& path) {
    const auto bytes = ReadRegularFile(path, kImageSize);
    if (const auto* error = std::get_if<FileError>(&bytes))
        return *error;
    const auto& read = std::get<std::string>(bytes);
    if (!IsDataFileStart(read))
        return DataFileError{path.string() + ": not a data file"};
    return ImageOf(read);
}

bool LooksLikeDataFile(const std::filesystem::path& path) {
    const auto bytes = ReadRegularFile(path, kImageSize);
    const auto* start = std::get_if<std::string>(&bytes);
    return start && IsDataFileStart(*start);
}

std::variant<std::monostate, DataFileError> WriteDataFile(const std::filesystem::path& path,
                                                          const MemoryImage& image) {
    std::string bytes(image.begin(), image.end());
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec)) {
        const auto old = ReadRegularFile(path);
        if (const auto* error = std::get_if<FileError>(&old))
            return *error;
        const auto& oldBytes = std::get<std::string>(old);
        if (oldBytes.size() > bytes.size())
            bytes.append(oldBytes, bytes.size());
    }
    if (auto error = WriteFileSafely(path, bytes))
        return *std::move(error);
    return std::monostate{};
}

} // namespace hx
