#pragma once

#include "core/files/SafeFile.h"
#include "core/image/MemoryImage.h"

#include <filesystem>
#include <string_view>
#include <variant>

namespace hx {

using DataFileError = FileError;

// Reads the first 1074 bytes of a data file. A shorter file leaves the rest of the
// image blank (0xFF). Only a regular file is read.
std::variant<MemoryImage, DataFileError> ReadDataFile(const std::filesystem::path& path);

// Whether bytes from the start of a file are a data file of this program: the whole
// image, opening with its identity text. Opening stays as lenient as ever; this tells a
// data file from another file given by mistake.
bool LooksLikeDataFile(std::string_view bytes);

// Reads a data file as ReadDataFile does, but refuses a file that does not look like
// one: "FILE: not a data file".
std::variant<MemoryImage, DataFileError> ReadCheckedDataFile(const std::filesystem::path& path);

// Puts the image at position 0 of the file without shortening a longer file, as
// WriteFileSafely writes: a failure leaves the old file as it was. Returns an error
// on failure.
std::variant<std::monostate, DataFileError> WriteDataFile(const std::filesystem::path& path,
                                                          const MemoryImage& image);

} // namespace hx
