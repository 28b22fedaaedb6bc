#pragma once

#include "core/files/SafeFile.h"

#include <chrono>
#include <filesystem>
#include <initializer_list>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hx {

// One radio of a production run, as its line in the log keeps it.
struct UnitRecord {
    std::chrono::system_clock::time_point time;
    std::string port;
    int unit = 0;
    std::string masterFile;
    std::string masterDigest; // RadioBytesDigest of the master file
    std::string result;       // "STARTED", then "PASS", "FAIL", "INTERRUPTED", ...
    std::string failedStep;   // "backup", "guard", "write", "verify", ... or empty
    std::string backupFile;   // empty when no backup was kept
    std::string reason;       // one line
};

// A radio's first line, written before its first frame goes out; its result line
// follows when it is done. A run killed in between leaves the first line alone.
inline constexpr std::string_view kStartedResult = "STARTED";
// Written by a later run for a radio that has its first line and no result, once it
// has told the operator: the radio is then not reported again.
inline constexpr std::string_view kUnfinishedResult = "UNFINISHED";

inline constexpr std::string_view kUnitLogHeader =
    "time,port,unit,master_file,master_sha256,result,failed_step,backup_file,reason\n";

// The production log: a CSV file with one line per radio, which every port of a run
// appends to, and so may another run. Each line goes out in one write under a lock on
// the file, so lines never mix; a new or empty file gets the header row first.
class UnitLog {
public:
    explicit UnitLog(std::filesystem::path path) : path_(std::move(path)) {}
    const std::filesystem::path& path() const { return path_; }

    // Adds the record's line and waits until it is on the disk.
    std::optional<FileError> append(const UnitRecord& record);

private:
    std::filesystem::path path_;
    std::mutex mutex_;
};

// A radio that was started and has no result in the log.
struct UnfinishedUnit {
    std::string startedAt; // as the log wrote it
    std::string port;
    int unit = 0;
};
// The radios of the log at `path` whose STARTED line no later line of the same port
// and unit answers; none when there is no log. Units are numbered per run, so a later
// STARTED line of the same port and unit leaves the earlier one without a result.
std::vector<UnfinishedUnit> FindUnfinishedUnits(const std::filesystem::path& path);
// The reason of the UNFINISHED line that closes `unit`: "started at <its time>".
std::string UnfinishedReason(const UnfinishedUnit& unit);

// ISO 8601 in local time with its offset: "2026-12-07T15:30:12+01:00".
std::string IsoLocalTime(std::chrono::system_clock::time_point when);

} // namespace hx
