#include "core/production/CloneRun.h"

#include "core/texts/Texts.h"

#include <algorithm>
#include <exception>
#include <thread>

namespace hx {
namespace {

// How often a waiting station looks at a stop that a signal handler raised: the
// handler may not wake it.
constexpr auto kStopPoll = std::chrono::milliseconds(100);

ProofOutcome PortNotOpened(const std::string& cause, Language language) {
    ProofOutcome outcome;
    outcome.result = ProofResult::Fail;
    outcome.failedStep = ProofStep::Port;
    outcome.reason = FillText(TextOf(Text::PortNotOpened).in(language), {cause});
    return outcome;
}

class StandardThread : public StationThread {
public:
    explicit StandardThread(std::function<void()> run) : thread_(std::move(run)) {}
    void join() override {
        if (thread_.joinable())
            thread_.join();
    }

private:
    std::thread thread_;
};

} // namespace

ThreadStarter StandardThreads() {
    return
        [](std::function<void()> run) { return std::make_unique<StandardThread>(std::move(run)); };
}

CloneRun::CloneRun(CloneSetup setup, std::vector<std::string> ports, PortFactory openPort,
                   CloneObserver& observer, StopSignal& stop, const ThreadStarter& startThread)
    : setup_(std::move(setup)), openPort_(std::move(openPort)), observer_(observer), stop_(stop) {
    if (setup_.logFile) {
        log_.emplace(*setup_.logFile);
        reportUnfinished();
    }
    for (auto& port : ports)
        stations_.push_back({std::move(port)});
    for (std::size_t i = 0; i < stations_.size(); ++i)
        threads_.push_back(startThread([this, i] { runStation(i); }));
}

CloneRun::~CloneRun() {
    stop();
    for (auto& thread : threads_)
        thread->join();
}

// Told once, then closed in the log so that the next run does not tell them again.
void CloneRun::reportUnfinished() {
    const auto units = FindUnfinishedUnits(log_->path());
    if (units.empty())
        return;
    observer_.unfinishedFound(units);
    for (const auto& unit : units)
        log_->append({std::chrono::system_clock::now(), unit.port, unit.unit, setup_.masterName,
                      setup_.masterDigest, std::string(kUnfinishedResult), "", "",
                      UnfinishedReason(unit)});
}

void CloneRun::start(std::size_t station) {
    std::lock_guard lock(mutex_);
    if (station < stations_.size() && stations_[station].waiting)
        stations_[station].started = true;
    changed_.notify_all();
}

void CloneRun::startAllWaiting() {
    std::lock_guard lock(mutex_);
    for (auto& station : stations_)
        station.started = station.started || station.waiting;
    changed_.notify_all();
}

void CloneRun::stop() {
    stop_.requestStop();
    std::lock_guard lock(mutex_);
    changed_.notify_all();
}

void CloneRun::abort() {
    stop_.requestAbort();
    std::lock_guard lock(mutex_);
    changed_.notify_all();
}

bool CloneRun::waitForEnd(std::chrono::milliseconds atMost) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, atMost, [this] {
        return std::all_of(stations_.begin(), stations_.end(),
                           [](const Station& s) { return s.ended; });
    });
}

CloneTotals CloneRun::totals() const {
    std::lock_guard lock(reportMutex_);
    return totals_;
}

void CloneRun::runStation(std::size_t station) {
    for (int done = 0; !setup_.count || done < *setup_.count; ++done) {
        if (setup_.waitForStart ? !awaitStart(station) : stop_.stopRequested())
            break;
        const int unit = nextUnit_++;
        observer_.unitBegun(station, unit);
        // On the disk before the radio hears anything: a run killed while it programs
        // leaves this line behind to say so.
        auto startError = logLine(stations_[station].port, unit, nullptr);
        finishUnit(station, unit, runUnit(station), std::move(startError));
    }
    observer_.stationEnded(station);
    std::lock_guard lock(mutex_);
    stations_[station].ended = true;
    changed_.notify_all();
}

bool CloneRun::awaitStart(std::size_t station) {
    std::unique_lock lock(mutex_);
    Station& s = stations_[station];
    s.waiting = true;
    s.started = false;
    lock.unlock();
    observer_.waitingForStart(station);
    lock.lock();
    while (!s.started && !stop_.stopRequested())
        changed_.wait_for(lock, kStopPoll);
    s.waiting = false;
    return !stop_.stopRequested();
}

ProofOutcome CloneRun::runUnit(std::size_t station) {
    observer_.stepBegun(station, ProofStep::Port);
    std::unique_ptr<SerialPort> port;
    try {
        port = openPort_(stations_[station].port);
    } catch (const std::exception& error) {
        return PortNotOpened(error.what(), setup_.language);
    }
    if (!port)
        return PortNotOpened(stations_[station].port, setup_.language);
    StoppablePort stoppable(*port, stop_);
    const ProofEvents events{[&](ProofStep step) { observer_.stepBegun(station, step); },
                             [&](ProofStep step, int framesBegun, int frameTotal) {
                                 observer_.progress(station, step, framesBegun, frameTotal);
                             },
                             [this](const GuardFinding&) { return setup_.writeAnyway; },
                             [this] { return stop_.stopRequested(); }};
    return WriteWithProof(stoppable, setup_.image, setup_.model, setup_.options, setup_.language,
                          events);
}

// The radio's STARTED line, or with `done` its result line; nothing without a log.
std::optional<FileError> CloneRun::logLine(const std::string& port, int unit,
                                           const ProofOutcome* done) {
    if (!log_)
        return std::nullopt;
    UnitRecord record{std::chrono::system_clock::now(),
                      port,
                      unit,
                      setup_.masterName,
                      setup_.masterDigest,
                      std::string(kStartedResult),
                      {},
                      {},
                      {}};
    if (done) {
        record.result = ResultWord(done->result);
        record.failedStep = done->failedStep ? StepWord(*done->failedStep) : "";
        record.backupFile = done->backupFile.string();
        record.reason = done->reason;
    }
    return log_->append(record);
}

void CloneRun::finishUnit(std::size_t station, int unit, ProofOutcome outcome,
                          std::optional<FileError> startError) {
    std::lock_guard lock(reportMutex_);
    ++(outcome.passed()                            ? totals_.passed
       : outcome.result == ProofResult::Unverified ? totals_.unverified
                                                   : totals_.failed);
    UnitReport report{
        station,        stations_[station].port, unit,           std::move(outcome),
        totals_.passed, totals_.unverified,      totals_.failed, std::move(startError)};
    if (auto error = logLine(report.port, unit, &report.outcome); error && !report.logError)
        report.logError = std::move(error);
    observer_.unitFinished(report);
}

} // namespace hx
