#pragma once

#include "core/production/CloneRun.h"
#include "gui/dialogs/CloneDialog.h"
#include "gui/dialogs/UserDialogs.h"
#include "gui/window/TransferCommands.h"
#include "gui/window/WindowState.h"

class QWidget;

namespace hx {

// Program > Clone Radios: one master data file onto many radios, one station per
// cable, each port opened on its station's own thread.
class CloneCommands {
public:
    CloneCommands(const WindowState& state, UserDialogs& dialogs, QWidget* owner,
                  PortOpener openPort);

    void showCloneDialog();

private:
    std::variant<CloneSetup, std::string> prepare(const CloneDialog::Choices& choices) const;

    const WindowState& state_;
    UserDialogs& dialogs_;
    QWidget* owner_;
    PortOpener openPort_;
};

} // namespace hx
