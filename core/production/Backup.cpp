#include "core/production/Backup.h"

#include "core/files/DataFile.h"
#include "core/files/Posix.h"
#include "core/production/BandGuard.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <system_error>

namespace hx {
namespace {

constexpr int kMostNamesPerSecond = 1000;

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
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return FileError{folder.string() + ": " + error.message()};
    const std::time_t time = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    ::localtime_r(&time, &local);
    const std::string name = BackupFileName(local, radio, profile);
    const std::string stem = name.substr(0, name.size() - 4);
    for (int n = 1; n <= kMostNamesPerSecond; ++n) {
        const auto path = folder / (n == 1 ? name : stem + "-" + std::to_string(n) + ".dat");
        // Creating the name claims it, among ports and programs alike; the safe
        // write then fills it.
        Descriptor claim(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
        if (!claim && errno == EEXIST)
            continue;
        if (!claim)
            return FileError{path.string() + ": " + std::strerror(errno)};
        claim.close();
        const auto written = WriteDataFile(path, radio);
        if (const auto* failure = std::get_if<DataFileError>(&written)) {
            std::filesystem::remove(path, error);
            return *failure;
        }
        return path;
    }
    return FileError{(folder / name).string() + ": too many backups in one second"};
}

} // namespace hx
