#include "app/profile/ProfileFile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iconv.h>
#include <optional>
#include <sstream>
#include <system_error>
#include <vector>

namespace hx {

namespace {

// The number of continuation bytes a UTF-8 lead byte announces, or nothing if it is none.
std::optional<std::size_t> ContinuationCount(unsigned char lead) {
    if (lead < 0x80)
        return 0;
    if ((lead >> 5) == 0x6)
        return 1;
    if ((lead >> 4) == 0xE)
        return 2;
    if ((lead >> 3) == 0x1E)
        return 3;
    return std::nullopt;
}

bool IsValidUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto extra = ContinuationCount(static_cast<unsigned char>(text[i]));
        if (!extra || (*extra > 0 && i + *extra >= text.size()))
            return false;
        for (std::size_t k = 1; k <= *extra; ++k)
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 0x2)
                return false;
        i += *extra + 1;
    }
    return true;
}

// Profile files written by Windows tools for these radios are in the Chinese code page.
std::string Gb18030ToUtf8(const std::string& text) {
    iconv_t cd = iconv_open("UTF-8", "GB18030");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return text;
    std::string out(text.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char* dst = out.data();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(cd, &in, &inLeft, &dst, &outLeft);
    iconv_close(cd);
    if (result == static_cast<std::size_t>(-1))
        return text;
    out.resize(out.size() - outLeft);
    return out;
}

std::optional<std::string> ReadText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::ostringstream content;
    content << file.rdbuf();
    std::string text = content.str();
    return IsValidUtf8(text) ? text : Gb18030ToUtf8(text);
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// The section name of a "[Section]" line, or nothing for other lines.
std::optional<std::string> SectionOf(const std::string& line) {
    const std::string t = Trim(line);
    if (t.size() >= 2 && t.front() == '[' && t.back() == ']')
        return Trim(std::string_view(t).substr(1, t.size() - 2));
    return std::nullopt;
}

// Key and value of a "key=value" line that is not a comment.
std::optional<std::pair<std::string, std::string>> EntryOf(const std::string& line) {
    const std::string t = Trim(line);
    if (t.empty() || t.front() == ';')
        return std::nullopt;
    const auto eq = t.find('=');
    if (eq == std::string::npos)
        return std::nullopt;
    return std::pair{Trim(std::string_view(t).substr(0, eq)),
                     Trim(std::string_view(t).substr(eq + 1))};
}

// The first `room` characters (not bytes) of a UTF-8 text.
std::string CutToRoom(const std::string& text, std::size_t room) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) >> 6) == 0x2)
            continue;
        if (chars++ == room)
            return text.substr(0, i);
    }
    return text;
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
        if (existing && SameName(existing->first, key)) {
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

std::string ProfileFile::read(std::string_view section, std::string_view key,
                              std::string_view fallback, std::size_t room) const {
    const auto text = ReadText(path_);
    if (!text)
        return CutToRoom(std::string(fallback), room);
    bool inSection = false;
    for (const std::string& line : SplitLines(*text)) {
        if (const auto name = SectionOf(line)) {
            inSection = SameName(*name, section);
        } else if (inSection) {
            const auto entry = EntryOf(line);
            if (entry && SameName(entry->first, key))
                return CutToRoom(entry->second, room);
        }
    }
    return CutToRoom(std::string(fallback), room);
}

bool ProfileFile::write(std::string_view section, std::string_view key,
                        std::string_view value) const {
    return write(section, Entries{{std::string(key), std::string(value)}});
}

bool ProfileFile::write(std::string_view section, const Entries& entries) const {
    std::vector<std::string> lines = SplitLines(ReadText(path_).value_or(std::string()));
    for (const auto& [key, value] : entries)
        SetEntry(lines, section, key, value);

    // Replace the file in one step so a failure never leaves half a settings file.
    std::filesystem::path temporary = path_;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        for (const std::string& line : lines)
            out << line << "\r\n";
        if (!out.flush()) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path_, error);
    if (error)
        std::filesystem::remove(temporary, error);
    return !error;
}

} // namespace hx
