#include "gui/window/TransferCommands.h"

#include "core/files/SafeFile.h"
#include "core/link/PortNames.h"
#include "core/link/Protocol.h"
#include "core/link/Trace.h"
#include "core/production/Backup.h"
#include "gui/dialogs/CableCheckDialog.h"
#include "gui/dialogs/CommunicationDialog.h"
#include "gui/dialogs/PortDialog.h"
#include "gui/style/Colours.h"
#include "gui/window/CableFinder.h"

#include <chrono>
#include <fstream>
#include <optional>

namespace hx {
namespace {

// An outcome with the trace's note after it, when there is one.
std::string WithNote(const std::string& outcome, const char* separator, const std::string& note) {
    return note.empty() ? outcome : outcome + separator + note;
}

// A reason as the core words it, "the read-back failed: ...", begun as a sentence.
std::string Sentence(std::string reason) {
    if (!reason.empty() && reason.front() >= 'a' && reason.front() <= 'z')
        reason.front() = static_cast<char>(reason.front() - 'a' + 'A');
    return reason;
}

} // namespace

TransferCommands::TransferCommands(WindowState& state, UserDialogs& dialogs, Window window,
                                   PortOpener opener)
    : state_(state), dialogs_(dialogs), window_(std::move(window)), openPort_(std::move(opener)) {
    outcomeTimer_.setInterval(3000);
    connect(&outcomeTimer_, &QTimer::timeout, this, &TransferCommands::outcomeTimerTick);
}

void TransferCommands::showPortDialog() {
    const auto findCable = [this]() -> std::optional<PortDialog::FoundCable> {
        const auto number = FindCable(dialogs_, state_.language, state_.settingDir(),
                                      [this] { return ListSerialDevices(system_.root); });
        if (!number)
            return std::nullopt;
        return PortDialog::FoundCable{*number, ListPortChoices(state_.settingDir())};
    };
    const SettingsStore store(ProfileFile(state_.profileFile()));
    const bool tracing = ReadSerialTrace(store.load());
    PortDialog dialog({state_.portNumber, state_.language, state_.colours.full,
                       ListPortChoices(state_.settingDir()), findCable, tracing},
                      window_.owner);
    dialogs_.showModal(dialog);
    if (dialog.serialTrace() != tracing)
        store.storeSerialTrace(dialog.serialTrace());
    state_.portNumber = dialog.portNumber();
    window_.showPort();
    window_.storeSettings();
}

void TransferCommands::showCableCheck() {
    const std::string port = "COM" + std::to_string(state_.portNumber);
    CableCheckDialog dialog({port, CheckCable(system_, state_.settingDir(), port, state_.language),
                             state_.language, state_.colours.full},
                            window_.owner);
    dialogs_.showModal(dialog);
}

void TransferCommands::showCommunicationDialog(bool readMode) {
    CommunicationDialog dialog(
        {readMode, state_.language, state_.colours.full,
         [this](const std::string& status) { setStatus(status); },
         [this](CommunicationDialog& d) { d.isReadMode() ? runRead(d) : runWrite(d); },
         [this](bool on) {
             WriteProof proof = writeProof();
             proof.verify = on;
             storeWriteProof(proof);
         },
         writeProof().verify},
        window_.owner);
    dialogs_.showModal(dialog);
}

WriteProof TransferCommands::writeProof() const {
    return ReadWriteProof(SettingsStore(ProfileFile(state_.profileFile())).load());
}

LinkWaits TransferCommands::linkWaits() const {
    return ReadLinkWaits(SettingsStore(ProfileFile(state_.profileFile())).load());
}

void TransferCommands::storeWriteProof(const WriteProof& proof) const {
    SettingsStore(ProfileFile(state_.profileFile())).storeWriteProof(proof);
}

void TransferCommands::attachProofItems(QMenu& menu, QAction& verify, QAction& backup) {
    verify.setCheckable(true);
    backup.setCheckable(true);
    // The settings are the one place the options live: the model series decides
    // which profile holds them, and the communication dialog changes them too.
    connect(&menu, &QMenu::aboutToShow, this, [this, &verify, &backup] {
        const WriteProof proof = writeProof();
        verify.setChecked(proof.verify);
        backup.setChecked(proof.backup);
    });
    const auto store = [this, &verify, &backup] {
        storeWriteProof({verify.isChecked(), backup.isChecked()});
    };
    connect(&verify, &QAction::triggered, this, store);
    connect(&backup, &QAction::triggered, this, store);
}

void TransferCommands::readRadioAside(const std::function<void(const MemoryImage&)>& done) {
    // `done` runs once the communication dialog has closed, not from inside it.
    std::optional<MemoryImage> read;
    readTarget_ = [&read](const MemoryImage& image) { read = image; };
    showCommunicationDialog(true);
    readTarget_ = {};
    if (read)
        done(*read);
}

std::unique_ptr<SerialPort> TransferCommands::openRadioPort(CommunicationDialog& dialog) {
    if (state_.portNumber < 1 || state_.portNumber > kPortCount) {
        dialogs_.tell(text(Text::MessageTitle), text(Text::PortNotSet), MessageIcon::Exclamation);
        return nullptr;
    }
    const std::string device = DeviceForPort(state_.portNumber, state_.settingDir());
    try {
        return openPort_(device);
    } catch (const PortInUse& error) {
        // Which program to close, in words that read the same in either language.
        const std::string holder = PortInUse::Describe(error.holder());
        portOpenFailed(dialog, "\nCOM" + std::to_string(state_.portNumber) + " " + device +
                                   (holder.empty() ? "" : ": " + holder));
    } catch (const PortError&) {
        portOpenFailed(dialog, {});
    }
    return nullptr;
}

void TransferCommands::portOpenFailed(CommunicationDialog& dialog, const std::string& detail) {
    dialogs_.tell(text(Text::MessageTitle), text(Text::PortOpenFailed) + detail,
                  MessageIcon::Critical);
    dialog.done(QDialog::Rejected);
    showPortDialog();
}

std::optional<TracedPort> TransferCommands::traceFor(SerialPort& port, bool readMode) const {
    if (!ReadSerialTrace(SettingsStore(ProfileFile(state_.profileFile())).load()))
        return std::nullopt;
    return std::optional<TracedPort>(std::in_place, port,
                                     std::string("hxprog ") + (readMode ? "read" : "write") +
                                         " on COM" + std::to_string(state_.portNumber) + " (" +
                                         DeviceForPort(state_.portNumber, state_.settingDir()) +
                                         ")");
}

TransferCommands::TraceNote TransferCommands::keepTrace(std::optional<TracedPort>& trace,
                                                        std::string outcome) const {
    if (!trace)
        return {};
    trace->end(std::move(outcome));
    const auto claimed =
        NewTraceFile(state_.appFolder / "Data" / "Traces", std::chrono::system_clock::now());
    std::optional<FileError> error;
    std::filesystem::path file;
    if (const auto* refused = std::get_if<FileError>(&claimed))
        error = *refused;
    else
        file = std::get<std::filesystem::path>(claimed);
    if (!error)
        error = WriteFileSafely(file, trace->text());
    const Text said = error ? Text::TraceNotSaved : Text::TraceSaved;
    const auto shown = file.empty() ? std::filesystem::path("Data/Traces")
                                    : file.lexically_relative(state_.appFolder);
    return {FillText(text(said), {shown.string()}),
            FillText(text(said), {error ? error->message : file.string()})};
}

ProofEvents TransferCommands::proofEvents(CommunicationDialog& dialog, const WriteProof& proof) {
    ProofEvents events;
    events.progress = [&dialog](ProofStep, int framesBegun, int) {
        dialog.showProgress(framesBegun);
    };
    if (proof == WriteProof{})
        return events; // the plain write, its texts and its bar as they always were
    const ProofStep last = proof.verify ? ProofStep::Verify : ProofStep::Write;
    events.stepBegun = [this, &dialog, last](ProofStep step) {
        if (step != ProofStep::Guard)
            dialog.beginStep(std::string(StepName(step, state_.language)) + "…",
                             step == ProofStep::Write ? kWriteBlockCount : kReadBlockCount,
                             step == last);
    };
    events.writeAnyway = [this](const GuardFinding& finding) {
        return dialogs_.ask(text(Text::MessageTitle),
                            FillText(text(Text::WriteAnywayQuestion), {finding.message}),
                            MessageIcon::Question);
    };
    return events;
}

void TransferCommands::runWrite(CommunicationDialog& dialog) {
    if (!window_.hasSubModel()) {
        dialogs_.tell(text(Text::MessageTitle), text(Text::NoSubModelSelected),
                      MessageIcon::Exclamation);
        return;
    }
    auto port = openRadioPort(dialog);
    if (!port)
        return;
    state_.image = window_.encode();
    const WriteProof proof = writeProof();
    const LinkWaits waits = linkWaits();
    ProofOptions options{proof.verify, std::nullopt, waits.patience, waits.settle};
    if (proof.backup)
        options.backupFolder = DefaultBackupFolder(state_.appFolder);
    auto trace = traceFor(*port, false);
    const ProofOutcome outcome =
        WriteWithProof(trace ? *trace : *port, state_.image, state_.model, options, state_.language,
                       proofEvents(dialog, proof));
    const TraceNote traceNote = keepTrace(trace, TraceOutcome(outcome));
    trace.reset();
    port.reset(); // closes the port before anything is shown
    std::string notes = traceNote.status;
    if (!outcome.backupFile.empty())
        notes =
            WithNote(FillText(text(Text::BackupKept),
                              {outcome.backupFile.lexically_relative(state_.appFolder).string()}),
                     "    ", notes);
    if (outcome.passed()) {
        startOutcomeTimer();
        setStatus(WithNote(text(proof.verify ? Text::WriteVerified : Text::CommunicationSucceeded),
                           "    ", notes));
        window_.showFileName(true);
    } else if (outcome.failedStep == ProofStep::Write) {
        failed(dialog, true, {notes, traceNote.message});
    } else {
        proofFailed(dialog, outcome, notes);
    }
}

void TransferCommands::proofFailed(CommunicationDialog& dialog, const ProofOutcome& outcome,
                                   const std::string& notes) {
    Text status = Text::VerifyFailedStatus;
    if (outcome.result == ProofResult::Unverified) {
        status = Text::NotVerifiedStatus;
        dialogs_.tell(text(Text::MessageTitle), Sentence(outcome.reason), MessageIcon::Exclamation);
    } else if (outcome.failedStep == ProofStep::Guard) {
        status = Text::WriteCancelled; // the user said No: nothing more to tell
    } else if (outcome.failedStep == ProofStep::Backup) {
        status = Text::BackupFailedStatus;
        dialogs_.tell(text(Text::MessageTitle), Sentence(outcome.reason), MessageIcon::Exclamation);
    } else if (outcome.differences.empty()) {
        dialogs_.tell(text(Text::MessageTitle), Sentence(outcome.reason), MessageIcon::Exclamation);
    } else {
        std::string lines;
        for (const Difference& difference : outcome.differences)
            lines +=
                (lines.empty() ? "" : "\n") + DescribeVerifyMismatch(difference, state_.language);
        dialogs_.tell(text(Text::MessageTitle), FillText(text(Text::VerifyFailedMessage), {lines}),
                      MessageIcon::Exclamation);
    }
    if (dialog.isVisible())
        dialog.resetBar();
    if (!state_.currentDataFile.empty())
        window_.showFileName(false);
    setStatus(WithNote(text(status), "    ", notes));
    startOutcomeTimer();
}

void TransferCommands::runRead(CommunicationDialog& dialog) {
    auto port = openRadioPort(dialog);
    if (!port)
        return;
    const MemoryImage encoded = window_.encode();
    if (!readTarget_)
        state_.image = encoded;
    auto trace = traceFor(*port, true);
    auto result = hx::ReadRadio(
        trace ? *trace : *port, encoded, [&](int framesBegun) { dialog.showProgress(framesBegun); },
        linkWaits().patience);
    const auto* failure = std::get_if<LinkFailure>(&result);
    const TraceNote traceNote =
        keepTrace(trace, TraceOutcome(failure ? std::optional(*failure) : std::nullopt));
    trace.reset();
    port.reset();
    if (std::holds_alternative<LinkFailure>(result)) {
        failed(dialog, false, traceNote);
        return;
    }
    startOutcomeTimer();
    const auto& image = std::get<MemoryImage>(result);
    if (!readTarget_)
        return takeIntoWindow(image, traceNote);
    setStatus(WithNote(text(Text::CommunicationSucceeded), "    ", traceNote.status));
    readTarget_(image);
}

void TransferCommands::takeIntoWindow(const MemoryImage& image, const TraceNote& traceNote) {
    if (state_.currentDataFile.empty())
        state_.currentDataFile = state_.scratchDataFile().string();
    // The read names a data file for the next save; it writes nothing into it. A
    // folder that refuses the file shows at that save, with its message.
    std::error_code error;
    if (!std::filesystem::exists(state_.currentDataFile, error))
        std::ofstream(state_.currentDataFile, std::ios::binary);
    window_.show(image);
    setStatus(WithNote(text(Text::CommunicationSucceeded), "    ", traceNote.status));
    window_.showFileName(false);
    window_.storeSettings();
}

// A failed transfer changes nothing but the status bar: the code plug, the window
// and the data file stay as they were.
void TransferCommands::failed(CommunicationDialog& dialog, bool writing,
                              const TraceNote& traceNote) {
    dialogs_.tell(text(Text::MessageTitle),
                  WithNote(text(Text::CommunicationError), "\n\n", traceNote.message),
                  MessageIcon::Exclamation);
    if (dialog.isVisible())
        dialog.resetBar();
    if (writing && !state_.currentDataFile.empty())
        window_.showFileName(false);
    setStatus(WithNote(text(Text::CommunicationFailed), "    ", traceNote.status));
    startOutcomeTimer();
}

void TransferCommands::startOutcomeTimer() {
    outcomeTicks_ = 0;
    outcomeTimer_.start();
}

void TransferCommands::outcomeTimerTick() {
    if (++outcomeTicks_ <= 1)
        return; // the outcome stays for two intervals
    outcomeTimer_.stop();
    setStatus({});
    setStatus(text(Text::Ready));
}

void TransferCommands::setStatus(const std::string& status) {
    window_.showStatus(status);
}

} // namespace hx
