#pragma once

#include "core/files/SafeFile.h"
#include "core/image/MemoryImage.h"
#include "core/model/ModelProfile.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>
#include <variant>

namespace hx {

// Where backups go unless the user names a folder: Data/Backups of the application folder.
std::filesystem::path DefaultBackupFolder(const std::filesystem::path& appFolder);

// "20261207-153012-HX7200-U.dat": when the radio was read, and the sub-model its band
// code names ("band255" when it names none).
std::string BackupFileName(const std::tm& localTime, const MemoryImage& radio,
                           const ModelProfile& profile);

// Keeps a radio's memory as a data file in `folder`, made when missing, named by
// BackupFileName at `when` (local time). No backup replaces another: a name taken by an
// earlier one, from the same second on another port, gets "-2", "-3" ... Returns the
// file written, or why none could be.
std::variant<std::filesystem::path, FileError>
SaveBackup(const std::filesystem::path& folder, const MemoryImage& radio,
           const ModelProfile& profile, std::chrono::system_clock::time_point when);

} // namespace hx
