#include "core/settings/AppFolder.h"

#include "core/platform/Folders.h"

#include <fstream>
#include <system_error>

namespace hx {
namespace {

namespace fs = std::filesystem;

bool IsWritable(const fs::path& dir) {
    const fs::path probe = dir / ".hxprog-write-test";
    const bool writable = std::ofstream(probe).good();
    std::error_code ec;
    fs::remove(probe, ec);
    return writable;
}

// The shipped files of an installed program lie in share/hxprog beside bin.
fs::path InstalledDir(const fs::path& programDir) {
    return programDir.parent_path() / "share" / "hxprog";
}

// Copies what `to` lacks, sub-folders (the help's pictures) included; files the user
// already has stay as they are.
// An unreadable part of the shipped files is skipped, never fatal at start-up.
void SeedMissing(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (!fs::is_directory(from, ec))
        return;
    fs::create_directories(to, ec);
    for (fs::recursive_directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code entryError;
        const fs::path target = to / fs::relative(it->path(), from, entryError);
        if (it->is_directory(entryError))
            fs::create_directories(target, entryError);
        else if (it->is_regular_file(entryError) && !fs::exists(target, entryError))
            fs::copy_file(it->path(), target, entryError);
    }
}

} // namespace

fs::path ChooseAppFolder(const fs::path& programDir, const fs::path& userDir, FolderUse use) {
    std::error_code ec;
    const bool installed = fs::exists(InstalledDir(programDir) / "Setting", ec);
    if (!installed && IsWritable(programDir))
        return programDir;
    const fs::path shipped = installed ? InstalledDir(programDir) : programDir;
    if (use == FolderUse::LookOnly)
        return fs::exists(userDir / "Setting", ec) ? userDir : shipped;
    for (const char* folder : {"Setting", "Help"})
        SeedMissing(shipped / folder, userDir / folder);
    return userDir;
}

fs::path UserDataFolder() {
    return platform::UserDataFolder();
}

} // namespace hx
