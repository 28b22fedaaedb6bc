#pragma once

#include "core/link/PortNames.h"
#include "core/production/CloneRun.h"
#include "core/settings/UserSettings.h"
#include "core/texts/Language.h"
#include "core/texts/Texts.h"
#include "gui/dialogs/UserDialogs.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace hx {

// Production-line cloning: the master data file, the ports with their devices, the
// options and the log are chosen first; Begin then gives each port a panel of its own
// with a large PASS or FAIL, the reason, the step running, a bar, the port's count and
// a Start button for its next radio. Every port runs on its own thread; what they
// report reaches the panels through the dialog's event queue, so the dialog answers
// all the while.
class CloneDialog : public QDialog {
    Q_OBJECT
public:
    struct Choices {
        std::filesystem::path master;
        std::vector<int> ports; // numbers, COM1 = 1
        bool verify = false;
        bool backup = false;
        std::filesystem::path logFile;
    };
    // The run the choices make, or the message that says why they make none.
    using Prepare = std::function<std::variant<CloneSetup, std::string>(const Choices&)>;
    struct Setup {
        Language language;
        BgrColour background;
        Choices choices;                 // as the dialog opens
        std::vector<PortChoice> devices; // one per port, COM1 first
        Prepare prepare;
        PortFactory openPort; // by port name, "COM3"
        ThreadStarter threads;
    };
    CloneDialog(Setup setup, UserDialogs& dialogs, QWidget* parent);
    ~CloneDialog() override;

    // One port of a run.
    struct Panel {
        QGroupBox* frame;
        QLabel* result; // PASS on green, anything else on red
        QLabel* reason;
        QLabel* step;
        QProgressBar* bar;
        QLabel* count;
        QPushButton* start;
        int unit = 0;
        bool waiting = false; // for Start
        bool busy = false;    // a radio is in progress, or Start was pressed for it
        int radios = 0, passed = 0, failed = 0;
    };

    QLineEdit* masterEdit;
    QPushButton* masterButton;
    QGroupBox* portFrame;
    std::array<QCheckBox*, kPortCount> portBoxes{};
    std::array<QLabel*, kPortCount> deviceLabels{};
    QCheckBox* verifyBox;
    QCheckBox* backupBox;
    QLineEdit* logEdit;
    QPushButton* logButton;
    QPushButton* openLogButton;
    QPushButton* beginButton;
    QPushButton* closeButton;
    QLabel* totalsLabel;
    std::vector<Panel> panels; // in the order of the ports, once the run has begun

    bool running() const { return run_ != nullptr; }

public slots:
    // Close, Escape and the close box: with radios in progress, asks, then closes once
    // they are finished.
    void reject() override;

private:
    class Relay;

    QString text(Text t) const;
    void chooseMaster();
    void chooseLog();
    void begin();
    void addPanel(QWidget* owner, QLayout* layout, int port);
    void showUnfinished(const std::vector<UnfinishedUnit>& units);
    void showResult(const UnitReport& report);
    void stationEnded(std::size_t station);

    Setup setup_;
    UserDialogs& dialogs_;
    std::size_t stationsEnded_ = 0;
    bool closing_ = false;
    StopSignal stop_;
    std::unique_ptr<Relay> relay_;
    std::unique_ptr<CloneRun> run_; // last: its stations end before all else goes
};

} // namespace hx
