#include "core/production/UnitLog.h"

#include "core/exchange/CsvSyntax.h"
#include "core/files/Posix.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <map>
#include <sys/file.h>
#include <sys/stat.h>

namespace hx {
namespace {

std::optional<std::string> WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return std::strerror(n < 0 ? errno : EIO);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return std::nullopt;
}

} // namespace

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
    std::tm local{};
    ::localtime_r(&time, &local);
    char stamp[32];
    char offset[8];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%S", &local);
    std::strftime(offset, sizeof offset, "%z", &local);
    // strftime gives the offset as +0100; the extended format writes +01:00.
    const std::string zone = offset;
    if (zone.size() != 5)
        return stamp + zone;
    return stamp + zone.substr(0, 3) + ":" + zone.substr(3);
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
    // Non-blocking, so a FIFO put in the log's place is refused instead of waited on.
    Descriptor file(
        ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0644));
    if (!file)
        return failure(std::strerror(errno));
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return failure(std::strerror(errno));
    if (!S_ISREG(info.st_mode))
        return failure("is not a file");
    if (::flock(file.get(), LOCK_EX) != 0 || ::fstat(file.get(), &info) != 0)
        return failure(std::strerror(errno));
    const bool fresh = info.st_size == 0;
    if (auto error = WriteAll(file.get(), fresh ? std::string(kUnitLogHeader) + line : line))
        return failure(*error);
    if (::fdatasync(file.get()) != 0)
        return failure(std::strerror(errno));
    if (const int error = file.close())
        return failure(std::strerror(error));
    return std::nullopt;
}

} // namespace hx
