#include "core/image/DataFile.h"
#include "core/link/PortNames.h"
#include "core/link/Protocol.h"
#include "core/link/Trace.h"
#include "core/platform/Console.h"
#include "core/production/ProvenWrite.h"
#include "programs/hxtool/CommandPorts.h"
#include "programs/hxtool/Commands.h"
#include "programs/hxtool/ModelSession.h"
#include "programs/hxtool/PlugImage.h"
#include "programs/hxtool/ReadOutput.h"

#include <array>
#include <memory>
#include <ostream>
#include <string_view>
#include <utility>

namespace hxtool {
namespace {

// The progress bars of one command, each on a terminal only, after its label if it has
// one. A failure that cuts a bar short ends its line before the message, so that the
// message starts a line of its own; where there is no bar there is nothing to end.
class ProgressBars {
public:
    explicit ProgressBars(std::ostream& err) : err_(err) {}

    hx::Progress bar(int total, std::string_view label = {}) {
        if (!hx::platform::ErrorIsTerminal())
            return {};
        return [this, total, label](int done) {
            const int width = 40;
            const int filled = (done + 1) * width / total;
            err_ << "\r" << label << (label.empty() ? "[" : " [")
                 << std::string(static_cast<std::size_t>(filled), '#')
                 << std::string(static_cast<std::size_t>(width - filled), ' ') << "] "
                 << (done + 1) * 100 / total << "%" << std::flush;
            lineOpen_ = done + 1 < total;
            if (!lineOpen_)
                err_ << "\n";
        };
    }
    // Where a message goes, once an unfinished bar is ended.
    std::ostream& message() {
        if (std::exchange(lineOpen_, false))
            err_ << "\n";
        return err_;
    }

private:
    std::ostream& err_;
    bool lineOpen_ = false;
};

// The port of a read or a write, on the device the command names, with a trace of
// it when --trace names a file. The trace replaces that file once the transfer has
// ended, whether or not it succeeded.
class CommandPort {
public:
    CommandPort(const PreparedCommand& command, std::ostream& err, const char* name)
        : command_(command), err_(err), name_(name) {}

    // False (reported) when the device cannot be opened, or the trace could not be
    // kept: that is found out before the radio is asked for anything.
    bool open() {
        const auto& options = command_.options;
        if (options.trace)
            if (const auto refusal = hx::CheckWriteTarget(*options.trace))
                return fail(refusal->message);
        const auto device = hx::DeviceForPortName(*options.port, command_.session.settingDir);
        if (const auto* error = std::get_if<hx::PortNameError>(&device))
            return fail(error->message);
        try {
            port_ = OpenDevicePort(std::get<std::string>(device));
        } catch (const hx::PortError& error) {
            return fail(error.what());
        }
        if (options.trace)
            trace_.emplace(*port_,
                           std::string("hxtool ") + name_ + " on " + std::get<std::string>(device));
        return true;
    }
    hx::SerialPort& link() { return trace_ ? static_cast<hx::SerialPort&>(*trace_) : *port_; }
    // Keeps the trace, ending in `outcome`, then closes the port. A trace that could not
    // be written is reported; the transfer's outcome stays what it was.
    void close(const std::string& outcome) {
        if (trace_) {
            trace_->end(outcome);
            if (const auto error = hx::WriteFileSafely(*command_.options.trace, trace_->text()))
                fail(error->message);
        }
        port_.reset();
    }

private:
    bool fail(const std::string& message) {
        err_ << "hxtool " << name_ << ": " << message << "\n";
        return false;
    }

    const PreparedCommand& command_;
    std::ostream& err_;
    const char* name_;
    std::unique_ptr<hx::SerialPort> port_;
    std::optional<hx::TracedPort> trace_;
};

// A bar for each step of a write with proof, labelled when there is more than one;
// --force answers the guard.
hx::ProofEvents ProofEventsFor(const Options& options, ProgressBars& progress) {
    const bool several = options.verify || options.backup;
    auto bars = std::make_shared<std::array<hx::Progress, 5>>();
    for (const auto step : {hx::ProofStep::Backup, hx::ProofStep::Write, hx::ProofStep::Verify})
        (*bars)[static_cast<std::size_t>(step)] =
            progress.bar(step == hx::ProofStep::Write ? hx::kWriteBlockCount : hx::kReadBlockCount,
                         several ? hx::StepWord(step) : std::string_view());
    hx::ProofEvents events;
    events.progress = [bars](hx::ProofStep step, int framesBegun, int) {
        if (const auto& bar = (*bars)[static_cast<std::size_t>(step)])
            bar(framesBegun);
    };
    events.writeAnyway = [force = options.force](const hx::GuardFinding&) { return force; };
    return events;
}

// "verified", or every difference the read-back showed; the backup kept.
int ReportWrite(const hx::ProofOutcome& outcome, const Options& options,
                const Invocation& invocation, ProgressBars& bars) {
    if (!outcome.backupFile.empty())
        invocation.out << "backup: " << outcome.backupFile.string() << "\n";
    if (outcome.passed()) {
        if (options.verify)
            invocation.out << outcome.reason << "\n";
        return kExitSuccess;
    }
    if (outcome.result == hx::ProofResult::Unverified) {
        bars.message() << "hxtool write: " << outcome.reason << "\n";
        return kExitUnverified;
    }
    for (const auto& difference : outcome.differences)
        invocation.out << hx::DescribeVerifyMismatch(difference, hx::Language::English) << "\n";
    bars.message() << "hxtool write: " << outcome.reason << "\n";
    if (outcome.failedStep == hx::ProofStep::Guard)
        invocation.err << "hxtool write: --force writes anyway\n";
    return kExitFailure;
}

} // namespace

int RunRead(const Invocation& invocation) {
    const auto prepared = PrepareCommand(
        invocation, {.output = true, .port = true, .files = 0, .trace = true}, "read");
    if (const int* status = std::get_if<int>(&prepared))
        return *status;
    const auto& command = std::get<PreparedCommand>(prepared);
    const auto& [options, session] = command;
    // A file that could not be saved is found out before the radio is asked for anything.
    if (const auto refusal = hx::CheckWriteTarget(*options.output)) {
        invocation.err << "hxtool read: " << refusal->message << "\n";
        return kExitFailure;
    }
    const PortRuntime runtime = StartPortRuntime();
    CommandPort port(command, invocation.err, "read");
    if (!port.open())
        return kExitFailure;
    const auto start = hx::StartState(session.model.profile);
    ProgressBars bars(invocation.err);
    const auto result =
        hx::ReadRadio(port.link(), EncodeState(start, session.model), bars.bar(hx::kReadBlockCount),
                      LinkWaitsFor(command).patience);
    const auto* failure = std::get_if<hx::LinkFailure>(&result);
    port.close(hx::TraceOutcome(failure ? std::optional(*failure) : std::nullopt));
    if (failure) {
        bars.message() << "hxtool read: " << failure->message() << "\n";
        return kExitFailure;
    }
    return SaveReadImage(std::get<hx::MemoryImage>(result), *options.output,
                         invocation.appFolder / "Data", invocation.err);
}

int RunWrite(const Invocation& invocation) {
    const auto prepared =
        PrepareCommand(invocation, {.port = true, .trace = true, .proof = true}, "write");
    if (const int* status = std::get_if<int>(&prepared))
        return *status;
    const auto& command = std::get<PreparedCommand>(prepared);
    const auto& [options, session] = command;
    const auto file = hx::ReadDataFile(options.files.front());
    if (const auto* error = std::get_if<hx::DataFileError>(&file)) {
        invocation.err << "hxtool write: " << error->message << "\n";
        return kExitFailure;
    }
    const auto image = ImageToSend(std::get<hx::MemoryImage>(file), session.model);
    const PortRuntime runtime = StartPortRuntime();
    CommandPort port(command, invocation.err, "write");
    if (!port.open())
        return kExitFailure;
    ProgressBars bars(invocation.err);
    const auto waits = LinkWaitsFor(command);
    hx::ProofOptions proof{options.verify, options.backup, waits.patience, waits.settle};
    const auto outcome = hx::WriteWithProof(port.link(), image, session.model, proof,
                                            hx::Language::English, ProofEventsFor(options, bars));
    port.close(hx::TraceOutcome(outcome));
    return ReportWrite(outcome, options, invocation, bars);
}

} // namespace hxtool
