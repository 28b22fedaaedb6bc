#include "core/files/ProfileSyntax.h"

#include "core/platform/Text.h"

#include <algorithm>
#include <cctype>

namespace hx::profile_syntax {

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

int Folded(char c) {
    return std::tolower(static_cast<unsigned char>(c));
}

} // namespace

std::string DecodeText(std::string bytes) {
    if (IsValidUtf8(bytes))
        return bytes;
    platform::ConvertedText converted = platform::Gb18030ToUtf8(bytes);
    return converted.stoppedAt ? std::move(bytes) : std::move(converted.text);
}

std::string_view TakeLine(std::string_view& text) {
    const auto end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (const char *x = a.data(), *y = b.data(), *end = x + a.size(); x != end; ++x, ++y)
        if (Folded(*x) != Folded(*y))
            return false;
    return true;
}

std::size_t NameHash(std::string_view name) {
    std::size_t hash = 14695981039346656037u; // FNV-1a over the folded bytes
    for (const char *c = name.data(), *end = c + name.size(); c != end; ++c)
        hash = (hash ^ static_cast<std::size_t>(Folded(*c))) * 1099511628211u;
    return hash;
}

std::optional<std::string_view> SectionOf(std::string_view line) {
    const std::string_view t = Trim(line);
    if (t.size() >= 2 && t.front() == '[' && t.back() == ']')
        return Trim(t.substr(1, t.size() - 2));
    return std::nullopt;
}

std::optional<Entry> EntryOf(std::string_view line) {
    const std::string_view t = Trim(line);
    if (t.empty() || t.front() == ';')
        return std::nullopt;
    const auto eq = t.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    return Entry{Trim(t.substr(0, eq)), Trim(t.substr(eq + 1))};
}

} // namespace hx::profile_syntax
