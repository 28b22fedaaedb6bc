#include "core/files/ProfileContents.h"

#include "core/files/ProfileSyntax.h"

#include <utility>

namespace hx {

namespace {

// The first `room` characters (not bytes) of a UTF-8 text.
std::string CutToRoom(std::string_view text, std::size_t room) {
    if (text.size() <= room) // never more characters than bytes
        return std::string(text);
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) >> 6) == 0x2)
            continue;
        if (chars++ == room)
            return std::string(text.substr(0, i));
    }
    return std::string(text);
}

} // namespace

std::size_t ProfileNameHash::operator()(std::string_view name) const {
    return profile_syntax::NameHash(name);
}

bool ProfileNameEqual::operator()(std::string_view a, std::string_view b) const {
    return profile_syntax::SameName(a, b);
}

std::string ProfileSection::read(std::string_view key, std::string_view fallback,
                                 std::size_t room) const {
    if (entries_.empty()) // a missing section: no need to hash the key
        return CutToRoom(fallback, room);
    const auto entry = entries_.find(key);
    return CutToRoom(entry != entries_.end() ? std::string_view(entry->second) : fallback, room);
}

ProfileContents ProfileContents::Parse(std::string bytes) {
    using namespace profile_syntax;
    const std::string text = DecodeText(std::move(bytes));
    ProfileContents contents;
    ProfileSection* section = nullptr; // entries before the first section belong to none
    for (std::string_view rest = text; !rest.empty();) {
        const std::string_view line = TakeLine(rest);
        if (const auto name = SectionOf(line)) {
            section = &contents.sections_[std::string(*name)]; // a repeated one goes on
        } else if (const auto entry = EntryOf(line); entry && section) {
            section->entries_.emplace(entry->key, entry->value); // keeps an earlier entry
        }
    }
    return contents;
}

const ProfileSection& ProfileContents::section(std::string_view name) const {
    static const ProfileSection kMissing;
    const auto found = sections_.find(name);
    return found != sections_.end() ? found->second : kMissing;
}

} // namespace hx
