#pragma once

#include "core/settings/UserSettings.h"
#include "core/texts/Language.h"

#include <QDialog>
#include <QFrame>
#include <QProgressBar>
#include <QPushButton>
#include <functional>
#include <string>

namespace hx {

// The communication dialog: one button that starts the transfer in the dialog's
// direction, and the bar that follows it frame by frame. The dialog closes itself
// when the last frame begins.
class CommunicationDialog : public QDialog {
    Q_OBJECT
public:
    struct Setup {
        bool readMode;
        Language language;
        BgrColour background;
        std::function<void(const std::string&)> showStatus; // the status bar's first panel
        std::function<void(CommunicationDialog&)> transfer; // runs the read or the write
    };
    CommunicationDialog(Setup setup, QWidget* parent);

    bool isReadMode() const { return setup_.readMode; }
    // Called for each frame while its bytes are on the line, with the number of frames
    // begun before it: painting then costs the transfer no time.
    void showProgress(int framesBegun);
    // After a failure: the bar starts again from nothing.
    void resetBar();

    QFrame* communicationFrame;
    QProgressBar* progressBar;
    QPushButton* transferButton;

private:
    void transferClicked();

    Setup setup_;
    int frameTotal_ = 0;
    int lastProgressStep_ = 0;
};

} // namespace hx
