#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The temporary files a safe write makes beside the file it replaces are named
// ".NAME.PID.SERIAL.tmp": hidden, and telling which process wrote them, so that one a
// killed writer left behind can be told from one a running writer still fills.
namespace hx {

// What every temporary file of `file` starts with, in UTF-8.
std::string TemporaryPrefix(const std::filesystem::path& file);

// The name of this process's temporary file number `serial` of `file`.
std::filesystem::path TemporaryName(const std::filesystem::path& file, unsigned serial);

// The process that wrote a temporary file (its name in UTF-8) of the file with this prefix, or
// nothing when the name is not one.
std::optional<long> WriterOf(std::string_view name, std::string_view prefix);

// Removes the temporary files of `file` whose writers are gone (killed before they
// could clean up); those of running writers stay.
void RemoveLeftovers(const std::filesystem::path& file);

} // namespace hx
