#pragma once

#include "core/files/ProfileContents.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace hx {

// A Windows-style profile file on disk, read by the rules of ProfileContents.
//
// A read never creates or changes anything; a missing file reads as empty. A write
// creates the file and section when missing, keeps every other line, comment and
// the order, and replaces the file atomically. It returns false when the file
// cannot be written.
class ProfileFile {
public:
    explicit ProfileFile(std::filesystem::path path);

    const std::filesystem::path& path() const { return path_; }

    // Reads and parses the file once; look up as many keys in the result as needed.
    ProfileContents load() const;
    // A single key, at the cost of a whole load.
    std::string read(std::string_view section, std::string_view key, std::string_view fallback,
                     std::size_t room) const;
    bool write(std::string_view section, std::string_view key, std::string_view value) const;
    // Several keys of one section in a single replacement of the file, as if written
    // one after the other.
    using Entries = std::vector<std::pair<std::string, std::string>>;
    bool write(std::string_view section, const Entries& entries) const;

private:
    std::filesystem::path path_;
};

} // namespace hx
