#include "core/files/TemporaryName.h"

#include "core/platform/Process.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <system_error>

namespace hx {
namespace {

namespace fs = std::filesystem;

// Names count bytes, as Linux file systems limit them; NTFS counts UTF-16 units,
// of which the same names never have more.
constexpr std::size_t kMaxNameBytes = 255;
constexpr std::size_t kTagBytes = 32; // room for ".PID.SERIAL.tmp"
constexpr std::string_view kTemporaryEnd = ".tmp";
constexpr std::size_t kSerialDigits = 8;

fs::path FolderOf(const fs::path& file) {
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

// The name's bytes cut at a whole UTF-8 sequence, so that the name stays valid text.
std::string CutName(std::string name, std::size_t most) {
    if (name.size() <= most)
        return name;
    std::size_t cut = most;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
        --cut;
    name.resize(cut);
    return name;
}

} // namespace

std::string TemporaryPrefix(const fs::path& file) {
    const auto name = file.filename().u8string();
    return "." + CutName(std::string(name.begin(), name.end()), kMaxNameBytes - kTagBytes) + ".";
}

fs::path TemporaryName(const fs::path& file, unsigned serial) {
    char tag[kTagBytes];
    std::snprintf(tag, sizeof tag, "%ld.%08x", platform::ThisProcessId(), serial);
    const std::string name = TemporaryPrefix(file) + tag + std::string(kTemporaryEnd);
    return std::u8string(name.begin(), name.end());
}

std::optional<long> WriterOf(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix) || !name.ends_with(kTemporaryEnd))
        return std::nullopt;
    const std::string_view tag =
        name.substr(prefix.size(), name.size() - prefix.size() - kTemporaryEnd.size());
    const auto dot = tag.find('.');
    if (dot == std::string_view::npos || tag.size() - dot - 1 != kSerialDigits)
        return std::nullopt;
    const std::string_view serial = tag.substr(dot + 1);
    if (!std::all_of(serial.begin(), serial.end(),
                     [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }))
        return std::nullopt;
    long pid = 0;
    const auto [end, error] = std::from_chars(tag.data(), tag.data() + dot, pid);
    if (error != std::errc() || end != tag.data() + dot || pid <= 0)
        return std::nullopt;
    return pid;
}

void RemoveLeftovers(const fs::path& file) {
    const std::string prefix = TemporaryPrefix(file);
    std::error_code error;
    for (fs::directory_iterator entry(FolderOf(file), error), end; !error && entry != end;
         entry.increment(error)) {
        const auto name = entry->path().filename().u8string();
        const auto writer = WriterOf(std::string(name.begin(), name.end()), prefix);
        std::error_code ignored;
        if (writer && *writer != platform::ThisProcessId() && !platform::ProcessRunning(*writer))
            fs::remove(entry->path(), ignored);
    }
}

} // namespace hx
