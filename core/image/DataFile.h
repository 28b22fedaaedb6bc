#pragma once

#include "core/files/SafeFile.h"
#include "core/image/MemoryImage.h"

#include <filesystem>
#include <variant>

namespace hx {

using DataFileError = FileError;

// Reads the first 1074 bytes of a data file. A shorter file leaves the rest of the
// image blank (0xFF). Only a regular file is read.
std::variant<MemoryImage, DataFileError> ReadDataFile(const std::filesystem::path& path);

// Whether a file looks like a data file this program wrote: a whole image, starting
// with the identity text. Any file reads as an image; a file of another program
// that is then saved would be overwritten, so the window asks before it opens one.
bool LooksLikeDataFile(const std::filesystem::path& path);

// Reads a data file as ReadDataFile does, but refuses a file that does not look like
// one: "FILE: not a data file".
std::variant<MemoryImage, DataFileError> ReadCheckedDataFile(const std::filesystem::path& path);

// Puts the image at position 0 of the file without shortening a longer file, as
// WriteFileSafely writes: a failure leaves the old file as it was. Returns an error
// on failure.
std::variant<std::monostate, DataFileError> WriteDataFile(const std::filesystem::path& path,
                                                          const MemoryImage& image);

} // namespace hx
