#include "gui/dialogs/CommunicationDialog.h"

#include "core/link/Progress.h"
#include "core/link/Protocol.h"
#include "core/texts/Texts.h"
#include "gui/style/Colours.h"
#include "gui/style/DialogStyle.h"
#include "gui/style/Fonts.h"

#include <QVBoxLayout>

namespace hx {

CommunicationDialog::CommunicationDialog(Setup setup, QWidget* parent)
    : QDialog(parent), setup_(std::move(setup)) {
    setObjectName("CommunicationDialog");
    MakeFixedDialog(this);
    const Language lang = setup_.language;
    communicationFrame = new QFrame(this);
    communicationFrame->setObjectName("communicationFrame");
    communicationFrame->setFrameShape(QFrame::StyledPanel);
    progressBar = new QProgressBar(communicationFrame);
    progressBar->setObjectName("progressBar");
    progressBar->setMinimum(0);
    progressBar->setValue(0);
    progressBar->setTextVisible(false);
    progressBar->setMinimumWidth(320);
    transferButton = new QPushButton(
        TextIn(setup_.readMode ? Text::ReadButton : Text::WriteButton, lang), communicationFrame);
    transferButton->setObjectName("transferButton");
    transferButton->setDefault(true);
    auto* inner = new QVBoxLayout(communicationFrame);
    inner->addWidget(progressBar);
    if (!setup_.readMode && setup_.verifyChanged) {
        verifyBox = new QCheckBox(TextIn(Text::VerifyOption, lang), communicationFrame);
        verifyBox->setObjectName("verifyBox");
        verifyBox->setChecked(setup_.verify);
        PaintBackground(verifyBox, setup_.background);
        connect(verifyBox, &QCheckBox::toggled, this,
                [this](bool on) { setup_.verifyChanged(on); });
        inner->addWidget(verifyBox, 0, Qt::AlignHCenter);
    }
    inner->addWidget(transferButton, 0, Qt::AlignHCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(communicationFrame);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (QWidget* w : std::initializer_list<QWidget*>{this, communicationFrame, transferButton})
        PaintBackground(w, setup_.background);
    ApplyFont(this, lang);
    setWindowTitle(TextIn(Text::CommunicateTitle, lang));
    connect(transferButton, &QPushButton::clicked, this, &CommunicationDialog::transferClicked);
}

void CommunicationDialog::transferClicked() {
    frameTotal_ = setup_.readMode ? kReadBlockCount : kWriteBlockCount;
    progressBar->setMaximum(frameTotal_ - 1);
    stepText_.clear();
    finalStep_ = true;
    setup_.transfer(*this);
}

void CommunicationDialog::beginStep(const std::string& runningText, int frameTotal, bool final) {
    stepText_ = runningText;
    finalStep_ = final;
    frameTotal_ = frameTotal;
    lastProgressStep_ = 0;
    progressBar->setMaximum(frameTotal_ - 1);
    progressBar->setValue(0);
}

void CommunicationDialog::showProgress(int framesBegun) {
    const ProgressReport report = ReportProgress(framesBegun, frameTotal_, lastProgressStep_);
    lastProgressStep_ = report.lastStep;
    if (!report.shown)
        return;
    progressBar->setValue(report.barValue);
    // The transfer holds the event loop, so the bar is painted now, not later.
    progressBar->repaint();
    const Language lang = setup_.language;
    if (!stepText_.empty()) {
        if (report.lastFrame && finalStep_)
            done(QDialog::Accepted);
        else if (report.rewriteText)
            setup_.showStatus(stepText_ + "    ");
    } else if (report.lastFrame) {
        setup_.showStatus(std::string(TextOf(Text::CommunicationSucceeded).in(lang)));
        done(QDialog::Accepted);
    } else if (report.rewriteText) {
        setup_.showStatus(std::string(TextOf(Text::Communicating).in(lang)) + "    ");
    }
}

void CommunicationDialog::resetBar() {
    progressBar->setValue(0);
}

} // namespace hx
