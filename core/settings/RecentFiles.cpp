#include "core/settings/RecentFiles.h"

#include <algorithm>
#include <filesystem>

namespace hx {
namespace {

constexpr const char* kSection = "RecentFiles";
constexpr std::size_t kPathRoom = 4096;

std::string Key(std::size_t slot) {
    return "File" + std::to_string(slot + 1);
}

// One spelling per file, so "a/../b.dat" and "b.dat" in the same folder are one entry.
std::string Normal(const std::string& path) {
    return std::filesystem::path(path).lexically_normal().string();
}

// A profile line cannot hold a line break, and its values lose outer blanks, so such
// a path would come back as another file: it stays off the list.
bool Storable(const std::string& path) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    return !path.empty() && path.find_first_of("\r\n") == std::string::npos &&
           !blank(path.front()) && !blank(path.back());
}

} // namespace

RecentFiles RecentFiles::Load(const ProfileFile& profile) {
    RecentFiles recent;
    const ProfileContents stored = profile.load();
    const ProfileSection& slots = stored.section(kSection);
    for (std::size_t slot = 0; slot < kCapacity; ++slot) {
        const std::string path = slots.read(Key(slot), "", kPathRoom);
        if (!path.empty() && std::find(recent.paths_.begin(), recent.paths_.end(), Normal(path)) ==
                                 recent.paths_.end())
            recent.paths_.push_back(Normal(path));
    }
    return recent;
}

bool RecentFiles::store(const ProfileFile& profile) const {
    ProfileFile::Entries slots;
    for (std::size_t slot = 0; slot < kCapacity; ++slot)
        slots.emplace_back(Key(slot), slot < paths_.size() ? paths_[slot] : "");
    return profile.write(kSection, slots);
}

void RecentFiles::remember(const std::string& path) {
    if (!Storable(path))
        return;
    forget(path);
    paths_.insert(paths_.begin(), Normal(path));
    if (paths_.size() > kCapacity)
        paths_.resize(kCapacity);
}

void RecentFiles::forget(const std::string& path) {
    std::erase(paths_, Normal(path));
}

} // namespace hx
