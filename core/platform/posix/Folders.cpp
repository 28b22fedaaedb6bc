#include "core/platform/Folders.h"

#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace hx::platform {
namespace {

namespace fs = std::filesystem;

// Root whose environment still names another user's home (sudo -E) would leave files
// there that the user could no longer change: root keeps to its own home.
bool HomeOfAnotherUserAsRoot(const char* home) {
    struct stat info {};
    return ::geteuid() == 0 && home && ::stat(home, &info) == 0 && info.st_uid != 0;
}

} // namespace

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

fs::path NewPrivateTemporaryFolder() {
    std::error_code error;
    std::string pattern = (fs::temp_directory_path(error) / "hxtool-XXXXXX").string();
    if (error || ::mkdtemp(pattern.data()) == nullptr)
        return {};
    return pattern;
}

} // namespace hx::platform
