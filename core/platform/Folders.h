#pragma once

#include <filesystem>

namespace hx::platform {

// Where this user's data of the package belongs: on Linux $XDG_DATA_HOME/hxprog or
// ~/.local/share/hxprog (root whose HOME belongs to another user, as under sudo -E,
// keeps to root's own home); on Windows %APPDATA%\hxprog.
std::filesystem::path UserDataFolder();

// A new folder only this user may use, in the temporary folder; nothing if none.
std::filesystem::path NewPrivateTemporaryFolder();

} // namespace hx::platform
