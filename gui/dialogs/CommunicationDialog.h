#pragma once

#include "core/settings/UserSettings.h"
#include "core/texts/Language.h"

#include <QCheckBox>
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
        // A write offers its verification option, when given how to keep it.
        std::function<void(bool)> verifyChanged = {};
        bool verify = false;
    };
    CommunicationDialog(Setup setup, QWidget* parent);

    bool isReadMode() const { return setup_.readMode; }
    // Called for each frame while its bytes are on the line, with the number of frames
    // begun before it: painting then costs the transfer no time.
    void showProgress(int framesBegun);
    // After a failure: the bar starts again from nothing.
    void resetBar();
    // A write with proof runs several transfers in turn: each starts the bar anew and
    // shows its own running text. Only the last frame of the final one closes the
    // dialog, and the outcome is then the caller's to show.
    void beginStep(const std::string& runningText, int frameTotal, bool final);

    QFrame* communicationFrame;
    QProgressBar* progressBar;
    QCheckBox* verifyBox = nullptr; // only when writing
    QPushButton* transferButton;

private:
    void transferClicked();

    Setup setup_;
    int frameTotal_ = 0;
    int lastProgressStep_ = 0;
    std::string stepText_; // empty: the plain transfer's texts
    bool finalStep_ = true;
};

} // namespace hx
