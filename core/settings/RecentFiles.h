#pragma once

#include "core/files/ProfileFile.h"

#include <cstddef>
#include <string>
#include <vector>

namespace hx {

// The data files last opened or saved, newest first and each once, kept in the
// model series' profile beside its other settings (section RecentFiles, keys
// File1 to File10).
class RecentFiles {
public:
    static constexpr std::size_t kCapacity = 10;

    static RecentFiles Load(const ProfileFile& profile);
    // Writes every slot in one go, so a shortened list leaves no stale entries;
    // false when the profile could not be written.
    bool store(const ProfileFile& profile) const;

    void remember(const std::string& path);
    void forget(const std::string& path);
    const std::vector<std::string>& paths() const { return paths_; }

private:
    std::vector<std::string> paths_;
};

} // namespace hx
