#include "gui/dialogs/CableCheckDialog.h"

#include "core/texts/Texts.h"
#include "gui/style/Colours.h"
#include "gui/style/DialogStyle.h"
#include "gui/style/Fonts.h"

#include <QGridLayout>
#include <QStyle>

namespace hx {
namespace {

constexpr int kTextWidth = 560;

// Device names, USB strings and paths come from outside: never read as rich text.
QLabel* PlainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel* WrappedLabel(const QString& text, QWidget* parent) {
    auto* label = PlainLabel(text, parent);
    label->setWordWrap(true);
    label->setFixedWidth(kTextWidth);
    return label;
}

QStyle::StandardPixmap IconOf(FindingKind kind) {
    switch (kind) {
    case FindingKind::Ok:
        return QStyle::SP_DialogApplyButton;
    case FindingKind::Problem:
        return QStyle::SP_MessageBoxCritical;
    case FindingKind::Note:
        break;
    }
    return QStyle::SP_MessageBoxInformation;
}

} // namespace

CableCheckDialog::CableCheckDialog(const Setup& setup, QWidget* parent) : QDialog(parent) {
    setObjectName("CableCheckDialog");
    MakeFixedDialog(this);
    const Language lang = setup.language;
    const auto text = [lang](Text t) { return TextIn(t, lang); };

    QStringList devices;
    for (const auto& listed : setup.report.devices)
        devices << (listed.portNumber ? QString("COM%1").arg(listed.portNumber)
                                      : text(Text::NoPortNumber)) +
                       "  " + Q(DescribeDevice(listed.device));
    if (devices.isEmpty())
        devices << text(Text::NoSerialDevice);
    auto* layout = new QGridLayout(this);
    layout->addWidget(PlainLabel(text(Text::SerialDevicesHeading), this), 0, 0, 1, 2);
    devicesLabel = WrappedLabel(devices.join("\n"), this);
    devicesLabel->setObjectName("devicesLabel");
    devicesLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(devicesLabel, 1, 1);
    layout->addWidget(
        PlainLabel(Q(FillText(TextOf(Text::FindingsHeading).in(lang), {setup.port})), this), 2, 0,
        1, 2);
    int row = 3;
    const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize);
    for (const Finding& finding : setup.report.findings) {
        auto* icon = new QLabel(this);
        icon->setPixmap(style()->standardIcon(IconOf(finding.kind)).pixmap(iconSize));
        layout->addWidget(icon, row, 0, Qt::AlignTop);
        findingLabels.push_back(WrappedLabel(Q(finding.text), this));
        layout->addWidget(findingLabels.back(), row++, 1);
        if (finding.fix.empty())
            continue;
        // The fix is often a command: the user copies it into a terminal.
        fixLabels.push_back(WrappedLabel(Q(finding.fix), this));
        fixLabels.back()->setTextInteractionFlags(Qt::TextSelectableByMouse);
        fixLabels.back()->setContentsMargins(16, 0, 0, 6);
        layout->addWidget(fixLabels.back(), row++, 1);
    }
    okButton = new QPushButton(text(Text::Ok), this);
    okButton->setObjectName("okButton");
    okButton->setDefault(true);
    layout->addWidget(okButton, row, 0, 1, 2, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    PaintBackground(this, setup.background);
    ApplyFont(this, lang);
    setWindowTitle(text(Text::CheckCableTitle));
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace hx
