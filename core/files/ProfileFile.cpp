#include "core/files/ProfileFile.h"

#include "core/files/ProfileSyntax.h"
#include "core/files/SafeFile.h"

#include <optional>
#include <vector>

namespace hx {

namespace {

using namespace profile_syntax;

// The file's bytes; none when it cannot be read, as for a missing file.
std::string ReadBytes(const std::filesystem::path& path) {
    auto bytes = ReadRegularFile(path);
    if (auto* content = std::get_if<std::string>(&bytes))
        return std::move(*content);
    return {};
}

// Puts key=value into the section: over the key's line, else after the section's
// last entry, else in a new section at the end.
void SetEntry(std::vector<std::string>& lines, std::string_view section, std::string_view key,
              std::string_view value) {
    const std::string entry = std::string(key) + "=" + std::string(value);
    std::optional<std::size_t> sectionEnd; // one past the last line of the section
    bool inSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const auto name = SectionOf(lines[i])) {
            inSection = SameName(*name, section);
            if (inSection)
                sectionEnd = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        const auto existing = EntryOf(lines[i]);
        if (existing && SameName(existing->key, key)) {
            lines[i] = entry;
            return;
        }
        if (!Trim(lines[i]).empty())
            sectionEnd = i + 1;
    }
    if (sectionEnd) {
        lines.insert(lines.begin() + static_cast<long>(*sectionEnd), entry);
    } else {
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(entry);
    }
}

} // namespace

ProfileFile::ProfileFile(std::filesystem::path path) : path_(std::move(path)) {}

ProfileContents ProfileFile::load() const {
    return ProfileContents::Parse(ReadBytes(path_));
}

std::string ProfileFile::read(std::string_view section, std::string_view key,
                              std::string_view fallback, std::size_t room) const {
    return load().read(section, key, fallback, room);
}

bool ProfileFile::write(std::string_view section, std::string_view key,
                        std::string_view value) const {
    return write(section, Entries{{std::string(key), std::string(value)}});
}

bool ProfileFile::write(std::string_view section, const Entries& entries) const {
    auto old = ReadRegularFile(path_);
    if (std::holds_alternative<FileError>(old)) {
        // A file that is there but cannot be read would lose every other line.
        std::error_code error;
        if (std::filesystem::exists(path_, error) || error)
            return false;
        old = std::string();
    }
    const std::string text = DecodeText(std::get<std::string>(old));
    std::vector<std::string> lines;
    for (std::string_view rest = text; !rest.empty();)
        lines.emplace_back(TakeLine(rest));
    for (const auto& [key, value] : entries)
        SetEntry(lines, section, key, value);

    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    // A failure never leaves half a settings file behind.
    return !WriteFileSafely(path_, bytes);
}

} // namespace hx
