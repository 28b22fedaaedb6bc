#include "core/image/DataFile.h"
#include "core/link/PortNames.h"
#include "core/platform/Console.h"
#include "core/platform/Interrupts.h"
#include "core/production/CloneRun.h"
#include "core/production/Digest.h"
#include "programs/hxtool/CommandPorts.h"
#include "programs/hxtool/Commands.h"
#include "programs/hxtool/ModelSession.h"
#include "programs/hxtool/PlugImage.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <ostream>
#include <utility>

namespace hxtool {
namespace {

using namespace std::chrono_literals;

// Ctrl+C stops the run the way the dialog's Stop does: the first lets the radios in
// progress finish, the second cuts them off.
std::atomic<hx::StopSignal*> interruptTarget{nullptr};

void Escalate() {
    if (hx::StopSignal* target = interruptTarget.load())
        target->escalate();
}

// "6 passed, 1 failed", with the unverified radios between when there are any.
std::string Counts(int passed, int unverified, int failed) {
    return std::to_string(passed) + " passed, " +
           (unverified ? std::to_string(unverified) + " unverified, " : "") +
           std::to_string(failed) + " failed";
}

// One line per radio and per prompt, whole, whichever port's thread prints it.
class TerminalReport : public hx::CloneObserver {
public:
    TerminalReport(const std::vector<std::string>& ports, std::ostream& out, std::ostream& err)
        : ports_(ports), out_(out), err_(err) {}

    void unfinishedFound(const std::vector<hx::UnfinishedUnit>& units) override {
        std::lock_guard lock(mutex_);
        for (const auto& unit : units)
            err_ << "hxtool clone: unit " << unit.unit << " on " << unit.port << " was started at "
                 << unit.startedAt << " and has no result: check that radio" << std::endl;
    }
    void waitingForStart(std::size_t station) override {
        std::lock_guard lock(mutex_);
        out_ << "[" << ports_[station] << "] connect the next radio, then press Enter" << std::endl;
    }
    void unitFinished(const hx::UnitReport& report) override {
        const hx::ProofOutcome& o = report.outcome;
        std::lock_guard lock(mutex_);
        out_ << "[" << report.port << "] unit " << report.unit << ": " << hx::ResultWord(o.result);
        if (o.failedStep)
            out_ << " at " << hx::StepWord(*o.failedStep);
        out_ << ": " << o.reason << " (" << Counts(report.passed, report.unverified, report.failed)
             << ")\n";
        for (const auto& difference : o.differences)
            out_ << "    " << hx::DescribeVerifyMismatch(difference, hx::Language::English) << "\n";
        if (!o.backupFile.empty())
            out_ << "    backup: " << o.backupFile.string() << "\n";
        out_ << std::flush;
        if (report.logError) {
            err_ << "hxtool clone: the log did not take unit " << report.unit << ": "
                 << report.logError->message << std::endl;
            logFailed_ = true;
        }
    }
    bool logFailed() const { return logFailed_; }

private:
    const std::vector<std::string>& ports_;
    std::ostream& out_;
    std::ostream& err_;
    std::mutex mutex_;
    std::atomic<bool> logFailed_{false};
};

// The devices the ports name, or why not: a misspelt port, or two names of one
// device, which would make a second station fail against the first.
std::variant<std::vector<std::string>, std::pair<std::string, int>>
StationDevices(const std::vector<std::string>& names, const std::filesystem::path& settingDir) {
    std::vector<std::string> devices;
    std::vector<std::filesystem::path> seen;
    for (const auto& name : names) {
        const auto device = hx::DeviceForPortName(name, settingDir);
        if (const auto* error = std::get_if<hx::PortNameError>(&device))
            return std::pair(error->message, kExitFailure);
        std::error_code ignored;
        const auto real = std::filesystem::weakly_canonical(std::get<std::string>(device), ignored);
        if (const auto same = std::find(seen.begin(), seen.end(), real); same != seen.end())
            return std::pair("--port " + names[static_cast<std::size_t>(same - seen.begin())] +
                                 " and --port " + name + " name the same device " + real.string() +
                                 "; give each port once",
                             kExitUsage);
        seen.push_back(real);
        devices.push_back(std::get<std::string>(device));
    }
    return devices;
}

// Opens a port the command line names, on the calling station's thread.
hx::PortFactory CommandLinePorts(const std::filesystem::path& settingDir) {
    return [settingDir](const std::string& name) {
        const auto device = hx::DeviceForPortName(name, settingDir);
        if (const auto* error = std::get_if<hx::PortNameError>(&device))
            throw hx::PortError(error->message);
        return OpenDevicePort(std::get<std::string>(device));
    };
}

// Runs until every station has ended: a line on the standard input starts every
// waiting station, its end stops the run, and an interrupt is announced once per level.
void Drive(hx::CloneRun& run, const hx::StopSignal& stop, bool readInput, std::ostream& err) {
    bool stopSaid = false;
    bool abortSaid = false;
    const auto announce = [&] {
        if (stop.stopRequested() && !std::exchange(stopSaid, true))
            err << "hxtool clone: stopping once the radios in progress are done (Ctrl+C again "
                   "stops at once)"
                << std::endl;
        if (stop.abortRequested() && !std::exchange(abortSaid, true))
            err << "hxtool clone: stopping at once" << std::endl;
    };
    for (; !run.waitForEnd(readInput ? 0ms : 100ms); announce()) {
        const auto input = readInput ? hx::platform::ReadInput(100ms) : std::nullopt;
        if (!input)
            continue;
        if (input->find('\n') != std::string::npos)
            run.startAllWaiting();
        if (input->empty()) {
            err << "hxtool clone: end of input: no more radios" << std::endl;
            readInput = false; // no Enter can come any more
            stopSaid = true;
            run.stop();
        }
    }
    announce();
}

} // namespace

int RunClone(const Invocation& invocation) {
    const auto prepared =
        PrepareCommand(invocation, {.port = true, .proof = true, .clone = true}, "clone");
    if (const int* status = std::get_if<int>(&prepared))
        return *status;
    const auto& command = std::get<PreparedCommand>(prepared);
    const auto& [options, session] = command;
    const std::filesystem::path master = options.files.front();
    // Before any radio is touched: ports that cannot serve as stations, a log that
    // would append to the master, a log that could not be kept.
    const auto devices = StationDevices(options.ports, session.settingDir);
    if (const auto* refusal = std::get_if<std::pair<std::string, int>>(&devices)) {
        invocation.err << "hxtool clone: " << refusal->first << "\n";
        return refusal->second;
    }
    std::error_code unknown; // a log not there yet is no other file
    if (options.log && std::filesystem::equivalent(master, *options.log, unknown)) {
        invocation.err << "hxtool clone: --log " << options.log->string()
                       << ": is the input file; name another\n";
        return kExitFailure;
    }
    const auto file = hx::ReadDataFile(master);
    if (const auto* error = std::get_if<hx::DataFileError>(&file)) {
        invocation.err << "hxtool clone: " << error->message << "\n";
        return kExitFailure;
    }
    if (options.log) {
        if (const auto refusal = hx::CheckWriteTarget(*options.log)) {
            invocation.err << "hxtool clone: " << refusal->message << "\n";
            return kExitFailure;
        }
    }
    const auto& fileImage = std::get<hx::MemoryImage>(file);
    const auto waits = LinkWaitsFor(command);
    hx::CloneSetup setup{ImageToSend(fileImage, session.model),
                         session.model,
                         master.filename().string(),
                         hx::RadioBytesDigest(fileImage),
                         {options.verify, options.backup, waits.patience, waits.settle}};
    setup.writeAnyway = options.force;
    setup.count = options.count;
    setup.waitForStart = !options.noWait;
    setup.logFile = options.log;

    const PortRuntime runtime = StartPortRuntime();
    hx::StopSignal stop;
    interruptTarget = &stop;
    const hx::platform::InterruptHandler interrupts(Escalate);
    TerminalReport report(options.ports, invocation.out, invocation.err);
    hx::CloneTotals totals;
    {
        hx::CloneRun run(std::move(setup), options.ports, CommandLinePorts(session.settingDir),
                         report, stop, StationThreads());
        Drive(run, stop, !options.noWait, invocation.err);
        totals = run.totals();
    }
    const int radios = totals.passed + totals.unverified + totals.failed;
    // A stop the operator asked for (Ctrl+C, or the end of the input) fails no radio.
    if (stop.stopRequested())
        invocation.out << "stopped after " << radios << (radios == 1 ? " radio\n" : " radios\n");
    invocation.out << "done: " << Counts(totals.passed, totals.unverified, totals.failed);
    if (options.log)
        invocation.out << "; log: " << options.log->string();
    invocation.out << "\n";
    if (totals.failed > 0 || radios == 0 || report.logFailed())
        return kExitFailure;
    return totals.unverified > 0 ? kExitUnverified : kExitSuccess;
}

} // namespace hxtool
