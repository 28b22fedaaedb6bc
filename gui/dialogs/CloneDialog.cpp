#include "gui/dialogs/CloneDialog.h"

#include "core/compare/ImageComparison.h"
#include "core/texts/Texts.h"
#include "gui/style/Colours.h"
#include "gui/style/DialogStyle.h"
#include "gui/style/Fonts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

namespace hx {
namespace {

constexpr int kPanelWidth = 250;
constexpr int kPanelsPerRow = 4;

// Green passed, red failed; amber for a radio written but not proven either way, which
// the operator puts aside to be read again rather than among the failed.
QColor ResultColour(ProofResult result) {
    switch (result) {
    case ProofResult::Pass:
        return {0x2E, 0x7D, 0x32};
    case ProofResult::Unverified:
        return {0xB2, 0x6A, 0x00};
    default:
        return {0xC6, 0x28, 0x28};
    }
}

void PaintResult(QLabel* label, const QColor& background, const QColor& foreground) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, foreground);
    label->setPalette(palette);
}

QString PortName(int number) {
    return QString("COM%1").arg(number);
}

} // namespace

// Takes each station's report off its thread: the dialog's widgets are touched on
// the dialog's own thread only, and a report still queued when the dialog is gone
// goes with it.
class CloneDialog::Relay : public CloneObserver {
public:
    explicit Relay(CloneDialog& dialog) : dialog_(dialog) {}

    void unfinishedFound(const std::vector<UnfinishedUnit>& units) override {
        post([units](CloneDialog& d) { d.showUnfinished(units); });
    }
    void waitingForStart(std::size_t station) override {
        post([station](CloneDialog& d) {
            d.panels[station].waiting = true;
            d.panels[station].step->setText(d.text(Text::CloneWaiting));
        });
    }
    void unitBegun(std::size_t station, int unit) override {
        post([station, unit](CloneDialog& d) {
            Panel& panel = d.panels[station];
            panel.unit = unit;
            panel.busy = true;
            panel.result->clear();
            PaintResult(panel.result, ToQColor(d.setup_.background), Qt::black);
            panel.reason->clear();
            panel.bar->setValue(0);
        });
    }
    void stepBegun(std::size_t station, ProofStep step) override {
        post([station, step](CloneDialog& d) {
            Panel& panel = d.panels[station];
            panel.step->setText(Q(FillText(TextOf(Text::CloneUnit).in(d.setup_.language),
                                           {std::to_string(panel.unit)}) +
                                  "  " + std::string(StepName(step, d.setup_.language))));
            panel.bar->setValue(0);
        });
    }
    void progress(std::size_t station, ProofStep, int framesBegun, int frameTotal) override {
        post([station, framesBegun, frameTotal](CloneDialog& d) {
            QProgressBar* bar = d.panels[station].bar;
            bar->setMaximum(frameTotal);
            bar->setValue(framesBegun + 1);
        });
    }
    void unitFinished(const UnitReport& report) override {
        post([report](CloneDialog& d) { d.showResult(report); });
    }
    void stationEnded(std::size_t station) override {
        post([station](CloneDialog& d) { d.stationEnded(station); });
    }

private:
    template <typename Call> void post(Call call) {
        CloneDialog* dialog = &dialog_;
        QMetaObject::invokeMethod(
            dialog, [dialog, call] { call(*dialog); }, Qt::QueuedConnection);
    }

    CloneDialog& dialog_;
};

CloneDialog::CloneDialog(Setup setup, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), setup_(std::move(setup)), dialogs_(dialogs) {
    setObjectName("CloneDialog");
    MakeFixedDialog(this);
    const Choices& chosen = setup_.choices;

    masterEdit = new QLineEdit(Q(chosen.master.string()), this);
    masterEdit->setObjectName("masterEdit");
    masterEdit->setMinimumWidth(420);
    masterButton = new QPushButton(text(Text::CloneBrowse), this);
    masterButton->setObjectName("masterButton");

    portFrame = new QGroupBox(text(Text::ClonePorts), this);
    portFrame->setObjectName("portFrame");
    auto* portGrid = new QGridLayout(portFrame);
    for (int i = 0; i < kPortCount; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        portBoxes[at] = new QCheckBox(PortName(i + 1), portFrame);
        portBoxes[at]->setObjectName(QString("portBox%1").arg(i));
        portBoxes[at]->setChecked(std::find(chosen.ports.begin(), chosen.ports.end(), i + 1) !=
                                  chosen.ports.end());
        const PortChoice* device = at < setup_.devices.size() ? &setup_.devices[at] : nullptr;
        const bool present = device && device->present;
        deviceLabels[at] = new QLabel((device ? Q(device->device) : QString()) + "\n" +
                                          text(present ? Text::PortPresent : Text::PortAbsent),
                                      portFrame);
        deviceLabels[at]->setObjectName(QString("deviceLabel%1").arg(i));
        deviceLabels[at]->setEnabled(present);
        const int row = i / 4 * 2;
        portGrid->addWidget(portBoxes[at], row, i % 4);
        portGrid->addWidget(deviceLabels[at], row + 1, i % 4, Qt::AlignTop);
    }
    portGrid->setHorizontalSpacing(24);

    verifyBox = new QCheckBox(text(Text::VerifyOption), this);
    verifyBox->setObjectName("verifyBox");
    verifyBox->setChecked(chosen.verify);
    backupBox = new QCheckBox(text(Text::BackupOption), this);
    backupBox->setObjectName("backupBox");
    backupBox->setChecked(chosen.backup);

    logEdit = new QLineEdit(Q(chosen.logFile.string()), this);
    logEdit->setObjectName("logEdit");
    logButton = new QPushButton(text(Text::CloneBrowse), this);
    logButton->setObjectName("logButton");
    openLogButton = new QPushButton(text(Text::CloneOpenLog), this);
    openLogButton->setObjectName("openLogButton");

    beginButton = new QPushButton(text(Text::CloneBegin), this);
    beginButton->setObjectName("beginButton");
    beginButton->setDefault(true);
    closeButton = new QPushButton(text(Text::CloseButton), this);
    closeButton->setObjectName("closeButton");
    closeButton->setAutoDefault(false);
    totalsLabel = new QLabel(this);
    totalsLabel->setObjectName("totalsLabel");

    auto* files = new QGridLayout;
    files->addWidget(new QLabel(text(Text::CloneMaster), this), 0, 0);
    files->addWidget(masterEdit, 0, 1);
    files->addWidget(masterButton, 0, 2);
    files->addWidget(new QLabel(text(Text::CloneLog), this), 1, 0);
    files->addWidget(logEdit, 1, 1);
    files->addWidget(logButton, 1, 2);
    files->addWidget(openLogButton, 1, 3);
    auto* options = new QHBoxLayout;
    options->addWidget(verifyBox);
    options->addWidget(backupBox);
    options->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(totalsLabel);
    buttons->addStretch();
    buttons->addWidget(beginButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(files);
    layout->addWidget(portFrame);
    layout->addLayout(options);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (QWidget* w : std::initializer_list<QWidget*>{this, portFrame, verifyBox, backupBox})
        PaintBackground(w, setup_.background);
    ApplyFont(this, setup_.language);
    setWindowTitle(text(Text::CloneTitle));

    connect(masterButton, &QPushButton::clicked, this, &CloneDialog::chooseMaster);
    connect(logButton, &QPushButton::clicked, this, &CloneDialog::chooseLog);
    connect(openLogButton, &QPushButton::clicked, this, [this] {
        if (!dialogs_.openDocument(logEdit->text().toStdString()))
            dialogs_.tell(text(Text::MessageTitle).toStdString(), logEdit->text().toStdString(),
                          MessageIcon::Exclamation);
    });
    connect(beginButton, &QPushButton::clicked, this, &CloneDialog::begin);
    connect(closeButton, &QPushButton::clicked, this, &CloneDialog::reject);
}

CloneDialog::~CloneDialog() = default;

QString CloneDialog::text(Text t) const {
    return TextIn(t, setup_.language);
}

void CloneDialog::chooseMaster() {
    if (const auto chosen = dialogs_.chooseDataFile({masterEdit->text().toStdString(), false}))
        masterEdit->setText(Q(chosen->string()));
}

void CloneDialog::chooseLog() {
    if (const auto chosen =
            dialogs_.chooseDataFile({logEdit->text().toStdString(), true, "CSV (*.csv)", "csv"}))
        logEdit->setText(Q(chosen->string()));
}

void CloneDialog::begin() {
    Choices choices{masterEdit->text().toStdString(),
                    {},
                    verifyBox->isChecked(),
                    backupBox->isChecked(),
                    logEdit->text().toStdString()};
    for (int i = 0; i < kPortCount; ++i)
        if (portBoxes[static_cast<std::size_t>(i)]->isChecked())
            choices.ports.push_back(i + 1);
    const std::string title = text(Text::MessageTitle).toStdString();
    if (choices.ports.empty()) {
        dialogs_.tell(title, text(Text::CloneNoPort).toStdString(), MessageIcon::Exclamation);
        return;
    }
    auto prepared = setup_.prepare(choices);
    if (const auto* why = std::get_if<std::string>(&prepared)) {
        dialogs_.tell(title, *why, MessageIcon::Exclamation);
        return;
    }
    // From here the choices are the run's: only the panels and Close take input.
    for (QWidget* w :
         std::initializer_list<QWidget*>{masterEdit, masterButton, portFrame, verifyBox, backupBox,
                                         logEdit, logButton, beginButton})
        w->setEnabled(false);
    beginButton->setDefault(false);
    auto* area = new QWidget(this);
    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    for (const int port : choices.ports)
        addPanel(area, grid, port);
    static_cast<QVBoxLayout*>(layout())->insertWidget(3, area);
    for (Panel& panel : panels) {
        QFont big = panel.result->font();
        big.setPointSize(big.pointSize() * 5 / 2);
        big.setBold(true);
        panel.result->setFont(big);
    }
    totalsLabel->setText(Q(FillText(TextOf(Text::CloneRunTotals).in(setup_.language), {"0", "0"})));

    std::vector<std::string> ports;
    for (const int port : choices.ports)
        ports.push_back(PortName(port).toStdString());
    relay_ = std::make_unique<Relay>(*this);
    run_ = std::make_unique<CloneRun>(std::get<CloneSetup>(std::move(prepared)), std::move(ports),
                                      setup_.openPort, *relay_, stop_, setup_.threads);
    panels.front().start->setFocus();
}

void CloneDialog::addPanel(QWidget* owner, QLayout* layout, int port) {
    const std::size_t at = static_cast<std::size_t>(port - 1);
    const QString device = at < setup_.devices.size() ? Q(setup_.devices[at].device) : QString();
    Panel panel{};
    panel.frame = new QGroupBox(PortName(port) + "  " + device, owner);
    panel.frame->setObjectName(QString("panel%1").arg(port));
    panel.frame->setFixedWidth(kPanelWidth);
    panel.result = new QLabel(panel.frame);
    panel.result->setAlignment(Qt::AlignCenter);
    panel.result->setAutoFillBackground(true);
    panel.result->setMinimumHeight(64);
    panel.reason = new QLabel(panel.frame);
    panel.reason->setWordWrap(true);
    panel.reason->setTextFormat(Qt::PlainText);
    panel.reason->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    panel.reason->setFixedSize(kPanelWidth - 24, 96);
    panel.step = new QLabel(panel.frame);
    panel.bar = new QProgressBar(panel.frame);
    panel.bar->setTextVisible(false);
    panel.count = new QLabel(panel.frame);
    panel.count->setText(
        Q(FillText(TextOf(Text::ClonePortCount).in(setup_.language), {"0", "0", "0"})));
    panel.start = new QPushButton(text(Text::CloneStart), panel.frame);
    panel.start->setObjectName(QString("startButton%1").arg(port));
    auto* inner = new QVBoxLayout(panel.frame);
    for (QWidget* w : std::initializer_list<QWidget*>{panel.result, panel.reason, panel.step,
                                                      panel.bar, panel.count})
        inner->addWidget(w);
    inner->addWidget(panel.start, 0, Qt::AlignHCenter);
    PaintBackground(panel.frame, setup_.background);
    PaintResult(panel.result, ToQColor(setup_.background), Qt::black);

    const std::size_t station = panels.size();
    connect(panel.start, &QPushButton::clicked, this, [this, station] {
        Panel& pressed = panels[station];
        if (!run_ || !pressed.waiting || closing_)
            return;
        // Busy from now: a close before the station reports its radio still asks.
        pressed.waiting = false;
        pressed.busy = true;
        run_->start(station);
    });
    auto* grid = static_cast<QGridLayout*>(layout);
    const int index = static_cast<int>(station);
    grid->addWidget(panel.frame, index / kPanelsPerRow, index % kPanelsPerRow);
    panels.push_back(panel);
}

// Radios an earlier run left without a result, told before the first radio here.
void CloneDialog::showUnfinished(const std::vector<UnfinishedUnit>& units) {
    std::string lines;
    for (const auto& unit : units)
        lines += (lines.empty() ? "" : "\n") +
                 FillText(TextOf(Text::CloneUnitWithoutResult).in(setup_.language),
                          {std::to_string(unit.unit), unit.port, unit.startedAt});
    dialogs_.tell(text(Text::MessageTitle).toStdString(), lines, MessageIcon::Exclamation);
}

void CloneDialog::showResult(const UnitReport& report) {
    const Language lang = setup_.language;
    Panel& panel = panels[report.station];
    const ProofOutcome& outcome = report.outcome;
    panel.busy = false;
    ++panel.radios;
    // An unverified radio is counted among the radios, not among the failed: its
    // colour sets it apart.
    if (outcome.passed())
        ++panel.passed;
    else if (outcome.result != ProofResult::Unverified)
        ++panel.failed;
    panel.result->setText(Q(std::string(ResultName(outcome.result, lang))));
    PaintResult(panel.result, ResultColour(outcome.result), Qt::white);
    std::string reason = FillText(TextOf(Text::CloneUnitOutcome).in(lang),
                                  {std::to_string(report.unit), outcome.reason});
    for (std::size_t i = 1; i < outcome.differences.size(); ++i)
        reason += "\n" + DescribeVerifyMismatch(outcome.differences[i], lang);
    if (!outcome.backupFile.empty())
        reason += "\n" + FillText(TextOf(Text::BackupKept).in(lang),
                                  {outcome.backupFile.filename().string()});
    if (report.logError)
        reason +=
            "\n" + FillText(TextOf(Text::CloneLogNotWritten).in(lang), {report.logError->message});
    panel.reason->setText(Q(reason));
    panel.count->setText(Q(FillText(TextOf(Text::ClonePortCount).in(lang),
                                    {std::to_string(panel.radios), std::to_string(panel.passed),
                                     std::to_string(panel.failed)})));
    totalsLabel->setText(
        Q(FillText(TextOf(Text::CloneRunTotals).in(lang),
                   {std::to_string(report.passed), std::to_string(report.failed)})));
}

void CloneDialog::stationEnded(std::size_t station) {
    panels[station].step->setText(text(Text::ClonePortDone));
    panels[station].start->setEnabled(false);
    if (++stationsEnded_ == panels.size() && closing_)
        QDialog::reject();
}

void CloneDialog::reject() {
    if (closing_)
        return; // already waiting for the radios in progress
    const bool busy =
        std::any_of(panels.begin(), panels.end(), [](const Panel& p) { return p.busy; });
    if (!busy) {
        run_.reset(); // the stations only wait for Start: they end at once
        QDialog::reject();
        return;
    }
    if (!dialogs_.ask(text(Text::MessageTitle).toStdString(),
                      text(Text::CloneCloseQuestion).toStdString(), MessageIcon::Question))
        return;
    closing_ = true;
    closeButton->setEnabled(false);
    totalsLabel->setText(text(Text::CloneStopping));
    run_->stop();
}

} // namespace hx
