#include "core/settings/AppFolder.h"

#include <cstdlib>
#include <fstream>
#include <pwd.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

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

// Root whose environment still names another user's home (sudo -E) would leave files
// there that the user could no longer change: root keeps to its own home.
bool HomeOfAnotherUserAsRoot(const char* home) {
    struct stat info {};
    return ::geteuid() == 0 && home && ::stat(home, &info) == 0 && info.st_uid != 0;
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
    const char* home = std::getenv("HOME");
    const bool ownEnvironment = !HomeOfAnotherUserAsRoot(home);
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (ownEnvironment && dataHome && fs::path(dataHome).is_absolute())
        return fs::path(dataHome) / "hxprog";
    if (!ownEnvironment || !home || *home == '\0') {
        const passwd* account = ::getpwuid(::getuid());
        home = account ? account->pw_dir : "/";
    }
    return fs::path(home) / ".local" / "share" / "hxprog";
}

} // namespace hx
