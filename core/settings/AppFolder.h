#pragma once

#include <filesystem>

namespace hx {

// Where Setting, Data and Help live. An installed program (its shipped files in
// share/hxprog beside its bin folder) always uses `userDir`, even where it may write
// its own folder as root may write /usr/bin. A copy that is not installed (the build
// tree, a folder on a USB stick) uses its own folder when it may write there. Either
// way `userDir` is given the shipped Setting and Help files it lacks. A program that
// only looks (LookOnly) changes nothing: it uses `userDir` once that has its Setting
// folder, else the shipped files.
enum class FolderUse { Fill, LookOnly };
std::filesystem::path ChooseAppFolder(const std::filesystem::path& programDir,
                                      const std::filesystem::path& userDir,
                                      FolderUse use = FolderUse::Fill);

// The per-user folder of every program of the package: $XDG_DATA_HOME/hxprog, or
// ~/.local/share/hxprog when that variable is unset or not an absolute path. Root
// whose HOME belongs to another user (sudo -E) uses root's own home instead. On
// Windows, %APPDATA%\hxprog.
std::filesystem::path UserDataFolder();

} // namespace hx
