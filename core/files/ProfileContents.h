#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

namespace hx {

// Section and key names in any case, looked up without a copy of the name.
struct ProfileNameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const;
};
struct ProfileNameEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};
template <typename Value>
using ProfileNameMap = std::unordered_map<std::string, Value, ProfileNameHash, ProfileNameEqual>;

// The entries of one section of a profile file.
class ProfileSection {
public:
    // The value of `key`, else `fallback`, cut to `room` characters.
    std::string read(std::string_view key, std::string_view fallback, std::size_t room) const;

private:
    friend class ProfileContents;
    ProfileNameMap<std::string> entries_;
};

// What a Windows-style profile file ("[Section]" and "key=value" lines) held when it
// was read, parsed once so that any number of keys can be looked up in it.
//
// A missing section or key gives the default, and a value (or default) is cut to
// `room` characters. Section and key names match without regard to case; where a
// hand-edited file repeats a section or key, the first entry in file order counts.
class ProfileContents {
public:
    // The contents of a missing file: every read gives its default.
    ProfileContents() = default;
    // Files are UTF-8; bytes that are not valid UTF-8 are read as GB18030, the code
    // page of profile files written by Windows tools.
    static ProfileContents Parse(std::string bytes);

    // A missing section has no entries. Reading many keys of one section through it
    // looks the section up once.
    const ProfileSection& section(std::string_view name) const;
    std::string read(std::string_view section, std::string_view key, std::string_view fallback,
                     std::size_t room) const {
        return this->section(section).read(key, fallback, room);
    }

private:
    ProfileNameMap<ProfileSection> sections_;
};

} // namespace hx
