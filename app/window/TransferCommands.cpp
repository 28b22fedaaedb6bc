#include "app/window/TransferCommands.h"

#include "app/window/Colours.h"
#include "link/PortNames.h"
#include "link/Protocol.h"
#include "link/window/frmCommun.h"
#include "link/window/frmToolCom.h"

#include <fstream>

namespace hx {

TransferCommands::TransferCommands(WindowState& state, UserDialogs& dialogs, Window window,
                                   PortOpener opener)
    : state_(state), dialogs_(dialogs), window_(std::move(window)), openPort_(std::move(opener)) {
    tmrCommunEnd_.setInterval(3000);
    connect(&tmrCommunEnd_, &QTimer::timeout, this, &TransferCommands::tmrCommunEnd_Timer);
}

void TransferCommands::mnuCommunicate_Click() {
    frmToolCom dialog({state_.comPort, state_.language, state_.colours.full,
                       ListPortChoices(state_.settingDir())},
                      window_.owner);
    dialogs_.showModal(dialog);
    state_.comPort = dialog.ComPortNumber();
    window_.portPanel->setText(QString("COM%1").arg(state_.comPort));
    window_.storeSettings();
}

void TransferCommands::showCommunicationDialog(bool readMode) {
    frmCommun dialog({readMode, state_.language, state_.colours.full,
                      [this](const std::string& status) { setStatus(status); },
                      [this](frmCommun& d) { d.ReadMode() ? ReadFre(d) : WriteFre(d); }},
                     window_.owner);
    dialogs_.showModal(dialog);
}

std::unique_ptr<SerialPort> TransferCommands::OpenCom(frmCommun& dialog) {
    if (state_.comPort < 1 || state_.comPort > kPortCount) {
        dialogs_.tell(text(Text::MessageTitle), text(Text::PortNotSet), MessageIcon::Exclamation);
        return nullptr;
    }
    const std::string device = DeviceForPort(state_.comPort, state_.settingDir());
    try {
        return openPort_(device);
    } catch (const PortInUse& error) {
        // Which program to close, in words that read the same in either language.
        const std::string holder = PortInUse::Describe(error.holder());
        portOpenFailed(dialog, "\nCOM" + std::to_string(state_.comPort) + " " + device +
                                   (holder.empty() ? "" : ": " + holder));
    } catch (const PortError&) {
        portOpenFailed(dialog, {});
    }
    return nullptr;
}

void TransferCommands::portOpenFailed(frmCommun& dialog, const std::string& detail) {
    dialogs_.tell(text(Text::MessageTitle), text(Text::PortOpenFailed) + detail,
                  MessageIcon::Critical);
    dialog.done(QDialog::Rejected);
    mnuCommunicate_Click();
}

void TransferCommands::WriteFre(frmCommun& dialog) {
    if (!window_.hasSubModel()) {
        dialogs_.tell(text(Text::MessageTitle), text(Text::NoSubModelSelected),
                      MessageIcon::Exclamation);
        return;
    }
    auto port = OpenCom(dialog);
    if (!port)
        return;
    state_.image = window_.encode();
    const auto failure = hx::WriteFre(*port, state_.image,
                                      [&](int framesBegun) { dialog.PercentShow(framesBegun); });
    port.reset(); // closes the port before anything is shown
    if (failure) {
        failed(dialog, true);
        return;
    }
    startCommunEndTimer();
    setStatus(text(Text::CommunicationSucceeded));
    window_.showFileName(true);
}

void TransferCommands::ReadFre(frmCommun& dialog) {
    auto port = OpenCom(dialog);
    if (!port)
        return;
    state_.image = window_.encode();
    auto result =
        hx::ReadFre(*port, state_.image, [&](int framesBegun) { dialog.PercentShow(framesBegun); });
    port.reset();
    if (std::holds_alternative<LinkFailure>(result)) {
        failed(dialog, false);
        return;
    }
    startCommunEndTimer();
    if (state_.currentDataFile.empty())
        state_.currentDataFile = state_.scratchDataFile().string();
    // The read names a data file for the next save; it writes nothing into it. A
    // folder that refuses the file shows at that save, with its message.
    std::error_code error;
    if (!std::filesystem::exists(state_.currentDataFile, error))
        std::ofstream(state_.currentDataFile, std::ios::binary);
    state_.plug.modified = true;
    window_.show(std::get<MemoryImage>(result));
    setStatus(text(Text::CommunicationSucceeded));
    window_.showFileName(false);
    window_.storeSettings();
}

// A failed transfer changes nothing but the status bar: the code plug, the window
// and the data file stay as they were.
void TransferCommands::failed(frmCommun& dialog, bool writing) {
    dialogs_.tell(text(Text::MessageTitle), text(Text::CommunicationError),
                  MessageIcon::Exclamation);
    if (dialog.isVisible())
        dialog.resetBar();
    if (writing && !state_.currentDataFile.empty())
        window_.showFileName(false);
    setStatus(text(Text::CommunicationFailed));
    startCommunEndTimer();
}

void TransferCommands::startCommunEndTimer() {
    communEndTicks_ = 0;
    tmrCommunEnd_.start();
}

void TransferCommands::tmrCommunEnd_Timer() {
    if (++communEndTicks_ <= 1)
        return; // the outcome stays for two intervals
    tmrCommunEnd_.stop();
    setStatus({});
    setStatus(text(Text::Ready));
}

void TransferCommands::setStatus(const std::string& status) {
    window_.statusPanel->setText(Q(status));
    window_.statusPanel->repaint(); // shown while the transfer still holds the event loop
}

} // namespace hx
