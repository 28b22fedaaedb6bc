#include "core/production/UnitLog.h"

#include "core/exchange/CsvSyntax.h"
#include "core/platform/Clock.h"
#include "core/platform/SharedFile.h"

#include <cstdio>
#include <ctime>

namespace hx {
std::string IsoLocalTime(std::chrono::system_clock::time_point when) {
    const std::time_t time = std::chrono::system_clock::to_time_t(when);
    const std::tm local = platform::LocalTime(time);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%S", &local);
    // Not strftime's %z, which Windows fills with the zone's name.
    const long offset = platform::UtcOffsetSeconds(time);
    const long minutes = (offset < 0 ? -offset : offset) / 60;
    char zone[32];
    std::snprintf(zone, sizeof zone, "%c%02ld:%02ld", offset < 0 ? '-' : '+', minutes / 60,
                  minutes % 60);
    return stamp + std::string(zone);
}

std::optional<FileError> UnitLog::append(const UnitRecord& r) {
    const std::string line =
        CsvLine({IsoLocalTime(r.time), r.port, std::to_string(r.unit), r.masterFile, r.masterDigest,
                 r.result, r.failedStep, r.backupFile, r.reason},
                Separator::Comma, "\n");
    const auto failure = [this](const std::string& cause) {
        return FileError{path_.string() + ": " + cause};
    };
    std::lock_guard lock(mutex_);
    const auto error = platform::AppendLocked(
        path_, [&line](bool fresh) { return fresh ? std::string(kUnitLogHeader) + line : line; });
    if (error)
        return failure(*error);
    return std::nullopt;
}

} // namespace hx
