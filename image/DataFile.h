#pragma once

#include "image/MemoryImage.h"

#include <filesystem>
#include <string>
#include <variant>

namespace hx {

struct DataFileError {
    std::string message; // one line, naming the file and the cause
};

// Reads the first 1074 bytes of a data file. A shorter file leaves the rest of the
// image blank (0xFF). Opens the file for reading only.
std::variant<MemoryImage, DataFileError> ReadDataFile(const std::filesystem::path& path);

// Puts the image at position 0 of the file without shortening a longer file, through a
// temporary file beside the target that is renamed over it: a failure leaves the old
// file as it was. Returns an error on failure.
std::variant<std::monostate, DataFileError> WriteDataFile(const std::filesystem::path& path,
                                                          const MemoryImage& image);

} // namespace hx
