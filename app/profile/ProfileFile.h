#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace hx {

// A Windows-style profile file ("[Section]" and "key=value" lines).
//
// A read never creates or changes anything: a missing file, section or key gives the
// default, and a value is cut to `room` characters. Section and key names match
// without regard to case. Files are UTF-8; a file that is not valid UTF-8 is read as
// GB18030, the code page of profile files written by Windows tools.
//
// A write creates the file and section when missing, keeps every other line, comment
// and the order, and replaces the file atomically. It returns false when the file
// cannot be written.
class ProfileFile {
public:
    explicit ProfileFile(std::filesystem::path path);

    const std::filesystem::path& path() const { return path_; }

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
