#include "link/window/frmToolCom.h"

#include "app/texts/Texts.h"
#include "app/window/Colours.h"
#include "app/window/DialogStyle.h"
#include "app/window/Fonts.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace hx {
frmToolCom::frmToolCom(const Setup& setup, QWidget* parent)
    : QDialog(parent), comPortNumber_(setup.comPort), portAtOpen_(setup.comPort) {
    setObjectName("frmToolCom");
    MakeFixedDialog(this);
    const Language lang = setup.language;
    fraToolCom = new QGroupBox(TextIn(Text::PortFrame, lang), this);
    fraToolCom->setObjectName("fraToolCom");
    lblToolCom = new QLabel(TextIn(Text::PortHeading, lang), fraToolCom);
    lblToolCom->setObjectName("lblToolCom");

    auto* grid = new QGridLayout;
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < kPortCount; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        COM1[at] = new QRadioButton(QString("COM%1").arg(i + 1), fraToolCom);
        COM1[at]->setObjectName(QString("COM1_%1").arg(i));
        group->addButton(COM1[at], i);
        const PortChoice* choice = at < setup.choices.size() ? &setup.choices[at] : nullptr;
        const QString device = choice ? QString::fromStdString(choice->device) : QString();
        const bool present = choice && choice->present;
        lblDevice[at] =
            new QLabel(device + "\n" + TextIn(present ? Text::PortPresent : Text::PortAbsent, lang),
                       fraToolCom);
        lblDevice[at]->setObjectName(QString("lblDevice_%1").arg(i));
        lblDevice[at]->setEnabled(present); // an absent device reads greyed
        const int row = i / 4 * 2;
        grid->addWidget(COM1[at], row, i % 4);
        grid->addWidget(lblDevice[at], row + 1, i % 4, Qt::AlignTop);
    }
    grid->setHorizontalSpacing(24);
    auto* frameLayout = new QVBoxLayout(fraToolCom);
    frameLayout->addWidget(lblToolCom);
    frameLayout->addLayout(grid);

    cmdOK = new QPushButton(TextIn(Text::Ok, lang), this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(TextIn(Text::Cancel, lang), this);
    cmdCancel->setObjectName("cmdCancel");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraToolCom);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The label and the options take the colour from the frame they sit on, so the
    // frame's own shading shows through them.
    for (QWidget* w : std::initializer_list<QWidget*>{this, fraToolCom, cmdOK, cmdCancel})
        PaintBackground(w, setup.background);
    ApplyFont(this, lang);
    setWindowTitle(TextIn(Text::PortDialogTitle, lang));
    if (comPortNumber_ >= 1 && comPortNumber_ <= kPortCount)
        COM1[static_cast<std::size_t>(comPortNumber_ - 1)]->setChecked(true);

    connect(cmdOK, &QPushButton::clicked, this, &frmToolCom::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmToolCom::cmdCancel_Click);
}

void frmToolCom::cmdOK_Click() {
    for (int i = 0; i < kPortCount; ++i)
        if (COM1[static_cast<std::size_t>(i)]->isChecked()) {
            portAtOpen_ = comPortNumber_ = i + 1;
            break;
        }
    accept();
}

void frmToolCom::cmdCancel_Click() {
    comPortNumber_ = portAtOpen_;
    reject();
}

} // namespace hx
