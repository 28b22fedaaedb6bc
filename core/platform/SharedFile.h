#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace hx::platform {

// Appends to the file at `path`, made when missing, while holding it locked against
// every other appender, programs and processes alike, and syncs it to the disk before
// it lets go. `text` gives what to append, told whether the file is still empty. A
// FIFO or device in the file's place is refused, never waited on. Returns the cause
// of a failure, or nothing.
std::optional<std::string> AppendLocked(const std::filesystem::path& path,
                                        const std::function<std::string(bool fileIsEmpty)>& text);

} // namespace hx::platform
