#include "core/production/UnitLog.h"

#include "core/exchange/CsvSyntax.h"
#include "core/platform/Clock.h"
#include "core/platform/SharedFile.h"

#include <charconv>
#include <cstdio>
#include <ctime>
#include <map>

namespace hx {

std::string UnfinishedReason(const UnfinishedUnit& unit) {
    return "started at " + unit.startedAt;
}

std::vector<UnfinishedUnit> FindUnfinishedUnits(const std::filesystem::path& path) {
    const auto text = ReadRegularFile(path);
    if (!std::holds_alternative<std::string>(text))
        return {};
    enum Column { Time, Port, Unit, Result = 5, Reason = 8, Columns = 9 };
    std::map<std::pair<std::string, int>, UnfinishedUnit> open;
    std::vector<UnfinishedUnit> unfinished;
    for (const CsvRecord& record : ReadCsv(std::get<std::string>(text)).records) {
        const auto& f = record.fields;
        int unit = 0;
        if (f.size() != Columns ||
            std::from_chars(f[Unit].data(), f[Unit].data() + f[Unit].size(), unit).ec !=
                std::errc{})
            continue; // the header, or a line a spreadsheet has mangled
        const auto key = std::make_pair(f[Port], unit);
        if (f[Result] == kUnfinishedResult) {
            // An earlier run told this one already.
            const auto told = [&](const UnfinishedUnit& u) {
                return u.port == f[Port] && u.unit == unit && UnfinishedReason(u) == f[Reason];
            };
            std::erase_if(unfinished, told);
            if (const auto it = open.find(key); it != open.end() && told(it->second))
                open.erase(it);
            continue;
        }
        if (const auto earlier = open.find(key); earlier != open.end()) {
            if (f[Result] == kStartedResult)
                unfinished.push_back(earlier->second);
            open.erase(earlier);
        }
        if (f[Result] == kStartedResult)
            open.emplace(key, UnfinishedUnit{f[Time], f[Port], unit});
    }
    for (auto& [key, unit] : open)
        unfinished.push_back(std::move(unit));
    return unfinished;
}

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
