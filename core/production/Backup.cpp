#include "core/production/Backup.h"

#include "core/image/DataFile.h"
#include "core/platform/Clock.h"
#include "core/production/BandGuard.h"

#include <string_view>
#include <system_error>

namespace hx {
namespace {

// A profile may name a sub-model with characters no file name may hold.
std::string FileNamePart(std::string_view name) {
    std::string part;
    for (char c : name) {
        const bool bad = static_cast<unsigned char>(c) < 0x20 ||
                         std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos;
        part += bad ? '_' : c;
    }
    return part;
}

std::string ModelPart(const MemoryImage& radio, const ModelProfile& profile) {
    const int band = radio[kBandCodeOffset];
    const auto s = SubModelOfBand(band, profile);
    const std::string name = s ? FileNamePart(profile.subModelName(*s)) : std::string();
    return name.empty() ? "band" + std::to_string(band) : name;
}

} // namespace

std::filesystem::path DefaultBackupFolder(const std::filesystem::path& appFolder) {
    return appFolder / "Data" / "Backups";
}

std::string BackupFileName(const std::tm& localTime, const MemoryImage& radio,
                           const ModelProfile& profile) {
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &localTime);
    return std::string(stamp) + "-" + ModelPart(radio, profile) + ".dat";
}

std::variant<std::filesystem::path, FileError>
SaveBackup(const std::filesystem::path& folder, const MemoryImage& radio,
           const ModelProfile& profile, std::chrono::system_clock::time_point when) {
    const std::time_t time = std::chrono::system_clock::to_time_t(when);
    const std::tm local = platform::LocalTime(time);
    const std::string name = BackupFileName(local, radio, profile);
    // The claimed name is the backup's, among ports and programs alike; the safe
    // write then fills it.
    auto claimed = ClaimNewFile(folder, name.substr(0, name.size() - 4), ".dat");
    if (const auto* failure = std::get_if<FileError>(&claimed))
        return *failure;
    const auto path = std::get<std::filesystem::path>(claimed);
    const auto written = WriteDataFile(path, radio);
    if (const auto* failure = std::get_if<DataFileError>(&written)) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
        return *failure;
    }
    return path;
}

} // namespace hx
