#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// How the text of a profile file is decoded and cut into lines, sections and
// entries; reading and writing see a file alike through these.
namespace hx::profile_syntax {

// The bytes as they are when they are valid UTF-8, else read as GB18030 (the code
// page of profile files written by Windows tools), else as they are.
std::string DecodeText(std::string bytes);

// Takes the first line off a non-empty `text` and returns it without its "\n" or
// "\r\n"; a line break at the end of the text starts no further line.
std::string_view TakeLine(std::string_view& text);

// Without leading and trailing blanks and tabs.
std::string_view Trim(std::string_view text);

// Names compare as the platform's profile functions compare them: without regard
// to case. Names that are the same have the same hash.
bool SameName(std::string_view a, std::string_view b);
std::size_t NameHash(std::string_view name);

// The section name of a "[Section]" line, or nothing for other lines.
std::optional<std::string_view> SectionOf(std::string_view line);

struct Entry {
    std::string_view key;
    std::string_view value;
};
// Key and value of a "key=value" line that is not a "; comment".
std::optional<Entry> EntryOf(std::string_view line);

} // namespace hx::profile_syntax
