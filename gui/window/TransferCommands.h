#pragma once

#include "core/link/CableDoctor.h"
#include "core/link/SerialPort.h"
#include "core/link/Trace.h"
#include "core/production/ProvenWrite.h"
#include "gui/dialogs/UserDialogs.h"
#include "gui/window/WindowState.h"

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

namespace hx {

class CommunicationDialog;

// Opens the device of a port number; throws PortError when it cannot.
using PortOpener = std::function<std::unique_ptr<SerialPort>(const std::string& device)>;

// The window's side of the radio link: the port dialog, the communication dialog,
// the read and write transfers and the outcome in the status bar. A transfer runs
// on the interface thread and takes no input until it ends; the port is always
// closed when it does, after its trace, when the user keeps one, is saved.
class TransferCommands : public QObject {
    Q_OBJECT
public:
    struct Window {
        QWidget* owner;
        // Panel 1, at once: a transfer still holds the event loop when it shows it.
        std::function<void(const std::string&)> showStatus;
        std::function<void()> showPort; // panel 2
        std::function<bool()> hasSubModel;
        std::function<MemoryImage()> encode;          // the plug as the radio's image
        std::function<void(const MemoryImage&)> show; // decode into the window
        std::function<void()> storeSettings;
        std::function<void(bool clearWhenNone)> showFileName; // panel 3
    };
    TransferCommands(WindowState& state, UserDialogs& dialogs, Window window, PortOpener opener);

    void showPortDialog();
    void showCableCheck();
    // The write's proof options as check items of `menu`, kept in step with the
    // settings, which the communication dialog's verification box also changes.
    void attachProofItems(QMenu& menu, QAction& verify, QAction& backup);
    void readRadio() { showCommunicationDialog(true); }
    void writeRadio() { showCommunicationDialog(false); }
    // Reads the radio into a separate image for `done`: the code plug, the window and
    // the data file stay as they are.
    void readRadioAside(const std::function<void(const MemoryImage&)>& done);
    void outcomeTimerTick();

    QTimer& outcomeTimer() { return outcomeTimer_; }
    // The system the cable check and the cable finder look at; tests give a fake tree.
    void setSystem(SystemView system) { system_ = std::move(system); }

private:
    void showCommunicationDialog(bool readMode);
    // Where a successful read goes: into the window, or aside to a caller.
    using ReadTarget = std::function<void(const MemoryImage&)>;
    std::unique_ptr<SerialPort> openRadioPort(CommunicationDialog& dialog);
    // The failure message, with `detail` after it, then the port dialog.
    void portOpenFailed(CommunicationDialog& dialog, const std::string& detail);
    // A trace around the transfer's port when the user keeps one, else nothing.
    std::optional<TracedPort> traceFor(SerialPort& port, bool readMode) const;
    // Where the trace of a transfer went, or why it did not: short for the status
    // bar (inside the application folder), in full for a message. Empty without one.
    struct TraceNote {
        std::string status, message;
    };
    // Saves the trace of the transfer just ended, with its outcome last, in
    // Data/Traces of the application folder.
    TraceNote keepTrace(std::optional<TracedPort>& trace, std::string outcome) const;
    LinkWaits linkWaits() const;
    WriteProof writeProof() const;
    void storeWriteProof(const WriteProof& proof) const;
    // Reports the steps of a write with proof in the dialog, and asks before writing
    // over a radio of another kind.
    ProofEvents proofEvents(CommunicationDialog& dialog, const WriteProof& proof);
    void runWrite(CommunicationDialog& dialog);
    // A write with proof that found something other than a broken link: why, in a
    // message unless the user chose it, and in the status bar.
    void proofFailed(CommunicationDialog& dialog, const ProofOutcome& outcome,
                     const std::string& notes);
    void runRead(CommunicationDialog& dialog);
    void takeIntoWindow(const MemoryImage& image, const TraceNote& traceNote);
    void failed(CommunicationDialog& dialog, bool writing, const TraceNote& traceNote);
    void startOutcomeTimer();
    void setStatus(const std::string& text);
    std::string text(Text t) const { return state_.text(t); }

    WindowState& state_;
    UserDialogs& dialogs_;
    Window window_;
    PortOpener openPort_;
    QTimer outcomeTimer_;
    int outcomeTicks_ = 0;
    ReadTarget readTarget_; // empty: the window
    SystemView system_ = ThisSystem();
};

} // namespace hx
