#include "core/platform/Folders.h"

#include "core/platform/windows/Api.h"

#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>
#include <string>
#include <system_error>

namespace hx::platform {

namespace fs = std::filesystem;

fs::path UserDataFolder() {
    wchar_t* folder = nullptr;
    fs::path appData;
    if (::SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_CREATE, nullptr, &folder) == S_OK)
        appData = folder;
    ::CoTaskMemFree(folder);
    if (appData.empty()) {
        std::error_code error;
        appData = fs::temp_directory_path(error);
    }
    return appData / "hxprog";
}

// A folder under the user's own temporary folder (%TEMP% lies in the profile, which
// only its user and the administrators may open), made new so that nothing was there.
fs::path NewPrivateTemporaryFolder() {
    std::error_code error;
    const fs::path temporary = fs::temp_directory_path(error);
    if (error)
        return {};
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const fs::path folder = temporary / ("hxtool-" + std::to_string(::GetCurrentProcessId()) +
                                             "-" + std::to_string(::GetTickCount64() + attempt));
        if (::CreateDirectoryW(folder.c_str(), nullptr))
            return folder;
        if (::GetLastError() != ERROR_ALREADY_EXISTS)
            return {};
    }
    return {};
}

} // namespace hx::platform
