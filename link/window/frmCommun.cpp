#include "link/window/frmCommun.h"

#include "app/texts/Texts.h"
#include "app/window/Colours.h"
#include "app/window/DialogStyle.h"
#include "app/window/Fonts.h"
#include "link/Progress.h"
#include "link/Protocol.h"

#include <QVBoxLayout>

namespace hx {

frmCommun::frmCommun(Setup setup, QWidget* parent) : QDialog(parent), setup_(std::move(setup)) {
    setObjectName("frmCommun");
    MakeFixedDialog(this);
    const Language lang = setup_.language;
    fraCommun = new QFrame(this);
    fraCommun->setObjectName("fraCommun");
    fraCommun->setFrameShape(QFrame::StyledPanel);
    prgCommunicate = new QProgressBar(fraCommun);
    prgCommunicate->setObjectName("prgCommunicate");
    prgCommunicate->setMinimum(0);
    prgCommunicate->setValue(0);
    prgCommunicate->setTextVisible(false);
    prgCommunicate->setMinimumWidth(320);
    cmdRW = new QPushButton(TextIn(setup_.readMode ? Text::ReadButton : Text::WriteButton, lang),
                            fraCommun);
    cmdRW->setObjectName("cmdRW");
    cmdRW->setDefault(true);
    auto* inner = new QVBoxLayout(fraCommun);
    inner->addWidget(prgCommunicate);
    inner->addWidget(cmdRW, 0, Qt::AlignHCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraCommun);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (QWidget* w : std::initializer_list<QWidget*>{this, fraCommun, cmdRW})
        PaintBackground(w, setup_.background);
    ApplyFont(this, lang);
    setWindowTitle(TextIn(Text::CommunicateTitle, lang));
    connect(cmdRW, &QPushButton::clicked, this, &frmCommun::cmdRW_Click);
}

void frmCommun::cmdRW_Click() {
    frameTotal_ = setup_.readMode ? kReadBlockCount : kWriteBlockCount;
    prgCommunicate->setMaximum(frameTotal_ - 1);
    setup_.transfer(*this);
}

void frmCommun::PercentShow(int framesBegun) {
    const ProgressReport report = ReportProgress(framesBegun, frameTotal_, lastProgressStep_);
    lastProgressStep_ = report.lastStep;
    if (!report.shown)
        return;
    prgCommunicate->setValue(report.barValue);
    // The transfer holds the event loop, so the bar is painted now, not later.
    prgCommunicate->repaint();
    const Language lang = setup_.language;
    if (report.lastFrame) {
        setup_.showStatus(std::string(TextOf(Text::CommunicationSucceeded).in(lang)));
        done(QDialog::Accepted);
    } else if (report.rewriteText) {
        setup_.showStatus(std::string(TextOf(Text::Communicating).in(lang)) + "    ");
    }
}

void frmCommun::resetBar() {
    prgCommunicate->setValue(0);
}

} // namespace hx
