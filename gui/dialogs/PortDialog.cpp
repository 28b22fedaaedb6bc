#include "gui/dialogs/PortDialog.h"

#include "core/texts/Texts.h"
#include "gui/style/Colours.h"
#include "gui/style/DialogStyle.h"
#include "gui/style/Fonts.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace hx {
PortDialog::PortDialog(const Setup& setup, QWidget* parent)
    : QDialog(parent), language_(setup.language), findCable_(setup.findCable),
      portNumber_(setup.portNumber), portAtOpen_(setup.portNumber),
      serialTrace_(setup.serialTrace) {
    setObjectName("PortDialog");
    MakeFixedDialog(this);
    const Language lang = setup.language;
    portFrame = new QGroupBox(TextIn(Text::PortFrame, lang), this);
    portFrame->setObjectName("portFrame");
    portHeading = new QLabel(TextIn(Text::PortHeading, lang), portFrame);
    portHeading->setObjectName("portHeading");

    auto* grid = new QGridLayout;
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < kPortCount; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        portOptions[at] = new QRadioButton(QString("COM%1").arg(i + 1), portFrame);
        portOptions[at]->setObjectName(QString("portOption%1").arg(i));
        group->addButton(portOptions[at], i);
        deviceLabels[at] = new QLabel(portFrame);
        deviceLabels[at]->setObjectName(QString("deviceLabel%1").arg(i));
        const int row = i / 4 * 2;
        grid->addWidget(portOptions[at], row, i % 4);
        grid->addWidget(deviceLabels[at], row + 1, i % 4, Qt::AlignTop);
    }
    grid->setHorizontalSpacing(24);
    showChoices(setup.choices);
    auto* frameLayout = new QVBoxLayout(portFrame);
    frameLayout->addWidget(portHeading);
    frameLayout->addLayout(grid);

    traceBox = new QCheckBox(TextIn(Text::TraceOption, lang), this);
    traceBox->setObjectName("traceBox");
    traceBox->setChecked(setup.serialTrace);

    okButton = new QPushButton(TextIn(Text::Ok, lang), this);
    okButton->setObjectName("okButton");
    okButton->setDefault(true);
    cancelButton = new QPushButton(TextIn(Text::Cancel, lang), this);
    cancelButton->setObjectName("cancelButton");
    findCableButton = new QPushButton(TextIn(Text::FindCableButton, lang), this);
    findCableButton->setObjectName("findCableButton");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(findCableButton);
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(portFrame);
    layout->addWidget(traceBox);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The label and the options take the colour from the frame they sit on, so the
    // frame's own shading shows through them.
    for (QWidget* w : std::initializer_list<QWidget*>{this, portFrame, traceBox, findCableButton,
                                                      okButton, cancelButton})
        PaintBackground(w, setup.background);
    ApplyFont(this, lang);
    setWindowTitle(TextIn(Text::PortDialogTitle, lang));
    if (portNumber_ >= 1 && portNumber_ <= kPortCount)
        portOptions[static_cast<std::size_t>(portNumber_ - 1)]->setChecked(true);

    connect(findCableButton, &QPushButton::clicked, this, &PortDialog::findCableClicked);
    connect(okButton, &QPushButton::clicked, this, &PortDialog::okClicked);
    connect(cancelButton, &QPushButton::clicked, this, &PortDialog::cancelClicked);
}

void PortDialog::showChoices(const std::vector<PortChoice>& choices) {
    for (std::size_t at = 0; at < deviceLabels.size(); ++at) {
        const PortChoice* choice = at < choices.size() ? &choices[at] : nullptr;
        const QString device = choice ? QString::fromStdString(choice->device) : QString();
        const bool present = choice && choice->present;
        deviceLabels[at]->setText(
            device + "\n" + TextIn(present ? Text::PortPresent : Text::PortAbsent, language_));
        deviceLabels[at]->setEnabled(present); // an absent device reads greyed
    }
}

// Selects the found port; OK still decides whether the number changes.
void PortDialog::findCableClicked() {
    const auto found = findCable_ ? findCable_() : std::nullopt;
    if (!found || found->portNumber < 1 || found->portNumber > kPortCount)
        return;
    showChoices(found->choices);
    portOptions[static_cast<std::size_t>(found->portNumber - 1)]->setChecked(true);
}

void PortDialog::okClicked() {
    for (int i = 0; i < kPortCount; ++i)
        if (portOptions[static_cast<std::size_t>(i)]->isChecked()) {
            portAtOpen_ = portNumber_ = i + 1;
            break;
        }
    serialTrace_ = traceBox->isChecked();
    accept();
}

void PortDialog::cancelClicked() {
    portNumber_ = portAtOpen_;
    reject();
}

} // namespace hx
