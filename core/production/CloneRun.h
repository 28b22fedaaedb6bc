#pragma once

#include "core/files/SafeFile.h"
#include "core/image/MemoryImage.h"
#include "core/link/SerialPort.h"
#include "core/model/ModelFiles.h"
#include "core/production/ProvenWrite.h"
#include "core/production/StopSignal.h"
#include "core/production/UnitLog.h"
#include "core/texts/Language.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// Production-line cloning: one master image, many radios, one station per cable. Each
// station runs on its own thread with its own port, so four cables program four radios
// in the time of one, and one station's failure leaves the others alone.
namespace hx {

// Opens the port a station names. It is called on the station's own thread, which uses
// and closes the port there: a QSerialPort belongs to the thread that made it. Throws
// PortError when the port cannot be opened.
using PortFactory = std::function<std::unique_ptr<SerialPort>(const std::string& portName)>;

// The thread a station runs on.
class StationThread {
public:
    virtual ~StationThread() = default;
    virtual void join() = 0;
};
// Starts `run` on a new thread. The standard one is a std::thread; a front end whose
// ports are QSerialPorts gives QThreads, which have the event dispatcher those ports
// need on the thread that uses them.
using ThreadStarter = std::function<std::unique_ptr<StationThread>(std::function<void()> run)>;
ThreadStarter StandardThreads();

struct CloneSetup {
    MemoryImage image; // what every radio gets, encoded
    ModelData model;
    std::string masterName;   // the master file as the log names it
    std::string masterDigest; // RadioBytesDigest of the master file
    ProofOptions options;
    bool writeAnyway = false;   // a radio of another kind is written all the same
    std::optional<int> count{}; // radios per station; none: until stopped
    bool waitForStart = true;   // false: a station begins its next radio at once
    std::optional<std::filesystem::path> logFile{};
    Language language = Language::English; // of reasons, on screen and in the log
};

// One radio done.
struct UnitReport {
    std::size_t station = 0;
    std::string port;
    int unit = 0; // numbered across the run, in the order radios were started
    ProofOutcome outcome;
    int passed = 0;                    // radios of the run that passed so far, this one included
    int unverified = 0;                // those written but not proven
    int failed = 0;                    // and the others
    std::optional<FileError> logError; // the log did not take one of this radio's lines
};

// What a run tells its front end. Each call comes from the thread of the station it
// names, several at once, and should return soon: a window forwards it to its own
// thread.
class CloneObserver {
public:
    virtual ~CloneObserver() = default;
    // Radios an earlier run on the same log started and never finished, told once
    // before any station starts.
    virtual void unfinishedFound(const std::vector<UnfinishedUnit>& /*units*/) {}
    // The station waits for start() before its next radio.
    virtual void waitingForStart(std::size_t /*station*/) {}
    virtual void unitBegun(std::size_t /*station*/, int /*unit*/) {}
    virtual void stepBegun(std::size_t /*station*/, ProofStep) {}
    virtual void progress(std::size_t /*station*/, ProofStep, int /*framesBegun*/,
                          int /*frameTotal*/) {}
    virtual void unitFinished(const UnitReport&) {}
    // The station takes no more radios: its count is done, or the run was stopped.
    virtual void stationEnded(std::size_t /*station*/) {}
};

struct CloneTotals {
    int passed = 0;
    int unverified = 0;
    int failed = 0;
};

class CloneRun {
public:
    // Starts one station for each port, each on its own thread. The run follows `stop`
    // as well as its own stop() and abort(), so a signal handler may end it.
    CloneRun(CloneSetup setup, std::vector<std::string> ports, PortFactory openPort,
             CloneObserver& observer, StopSignal& stop,
             const ThreadStarter& startThread = StandardThreads());
    // Stops as stop() does, and waits for every station to end.
    ~CloneRun();
    CloneRun(const CloneRun&) = delete;
    CloneRun& operator=(const CloneRun&) = delete;

    // The operator pressed Start at this station; one that is not waiting ignores it.
    void start(std::size_t station);
    // Start at every station that waits: Enter on a terminal.
    void startAllWaiting();
    // Each radio in progress is finished, or stopped before its write; no other begins.
    void stop();
    // Cuts the transfers in progress too; a radio left half-written says so.
    void abort();
    // Whether every station has ended, waiting up to `atMost` for it.
    bool waitForEnd(std::chrono::milliseconds atMost);
    CloneTotals totals() const;

private:
    struct Station {
        std::string port;
        bool waiting = false;
        bool started = false;
        bool ended = false;
    };

    void runStation(std::size_t station);
    void reportUnfinished();
    bool awaitStart(std::size_t station);
    ProofOutcome runUnit(std::size_t station);
    std::optional<FileError> logLine(const std::string& port, int unit, const ProofOutcome* done);
    void finishUnit(std::size_t station, int unit, ProofOutcome outcome,
                    std::optional<FileError> startError);

    const CloneSetup setup_;
    const PortFactory openPort_;
    CloneObserver& observer_;
    StopSignal& stop_;
    std::optional<UnitLog> log_;
    std::atomic<int> nextUnit_{1};

    std::mutex mutex_; // the stations' states
    std::condition_variable changed_;
    std::vector<Station> stations_;

    mutable std::mutex reportMutex_; // totals, log lines and reports keep one order
    CloneTotals totals_;

    // Last: the stations start once all else is set.
    std::vector<std::unique_ptr<StationThread>> threads_;
};

} // namespace hx
