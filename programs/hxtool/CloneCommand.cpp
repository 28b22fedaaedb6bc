#include "core/files/DataFile.h"
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

// One line per radio and per prompt, whole, whichever port's thread prints it.
class TerminalReport : public hx::CloneObserver {
public:
    TerminalReport(const std::vector<std::string>& ports, std::ostream& out, std::ostream& err)
        : ports_(ports), out_(out), err_(err) {}

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
        out_ << ": " << o.reason << " (" << report.passed << " passed, " << report.failed
             << " failed)\n";
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
    const auto& [options, session] = std::get<PreparedCommand>(prepared);
    const std::filesystem::path master = options.files.front();
    const auto file = hx::ReadDataFile(master);
    if (const auto* error = std::get_if<hx::DataFileError>(&file)) {
        invocation.err << "hxtool clone: " << error->message << "\n";
        return kExitFailure;
    }
    // A misspelt port is found before any radio is touched.
    for (const auto& name : options.ports) {
        const auto device = hx::DeviceForPortName(name, session.settingDir);
        if (const auto* error = std::get_if<hx::PortNameError>(&device)) {
            invocation.err << "hxtool clone: " << error->message << "\n";
            return kExitFailure;
        }
    }
    // A log that cannot be kept is found before any radio is written, not after.
    if (options.log) {
        if (const auto refusal = hx::CheckWriteTarget(*options.log)) {
            invocation.err << "hxtool clone: " << refusal->message << "\n";
            return kExitFailure;
        }
    }
    const auto& fileImage = std::get<hx::MemoryImage>(file);
    hx::CloneSetup setup{ImageToSend(fileImage, session.model),
                         session.model,
                         master.filename().string(),
                         hx::RadioBytesDigest(fileImage),
                         {options.verify, options.backup}};
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
    invocation.out << "done: " << totals.passed << " passed, " << totals.failed << " failed";
    if (options.log)
        invocation.out << "; log: " << options.log->string();
    invocation.out << "\n";
    // Success means radios were programmed, every one passed, and a batch of --count
    // radios per port was finished rather than stopped.
    const bool batchDone =
        !options.count || totals.passed == *options.count * static_cast<int>(options.ports.size());
    const bool allPassed = totals.passed > 0 && totals.failed == 0 && batchDone;
    return allPassed && !report.logFailed() ? kExitSuccess : kExitFailure;
}

} // namespace hxtool
