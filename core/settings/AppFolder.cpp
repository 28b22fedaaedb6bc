#include "core/settings/AppFolder.h"

#include <cstdlib>
#include <fstream>
#include <pwd.h>
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
void SeedMissing(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (!fs::is_directory(from, ec))
        return;
    fs::create_directories(to, ec);
    for (const auto& entry : fs::recursive_directory_iterator(from, ec)) {
        const fs::path target = to / fs::relative(entry.path(), from, ec);
        if (entry.is_directory())
            fs::create_directories(target, ec);
        else if (entry.is_regular_file() && !fs::exists(target, ec))
            fs::copy_file(entry.path(), target, ec);
    }
}

} // namespace

fs::path ChooseAppFolder(const fs::path& programDir, const fs::path& userDir) {
    std::error_code ec;
    const bool installed = fs::exists(InstalledDir(programDir) / "Setting", ec);
    if (!installed && IsWritable(programDir))
        return programDir;
    const fs::path shipped = installed ? InstalledDir(programDir) : programDir;
    for (const char* folder : {"Setting", "Help"})
        SeedMissing(shipped / folder, userDir / folder);
    return userDir;
}

fs::path UserDataFolder() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && fs::path(dataHome).is_absolute())
        return fs::path(dataHome) / "hxprog";
    const char* home = std::getenv("HOME");
    if (!home || *home == '\0') {
        const passwd* account = ::getpwuid(::getuid());
        home = account ? account->pw_dir : "/";
    }
    return fs::path(home) / ".local" / "share" / "hxprog";
}

} // namespace hx
