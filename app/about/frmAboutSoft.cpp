#include "app/about/frmAboutSoft.h"

#include "app/texts/Texts.h"
#include "app/window/Colours.h"
#include "app/window/DialogStyle.h"
#include "app/window/Fonts.h"

#include <QGridLayout>
#include <QPainter>
#include <QPainterPath>

namespace hx {
namespace {

// A handheld radio, drawn rather than shipped as a picture file.
QPixmap RadioLogo() {
    QPixmap logo(64, 96);
    logo.fill(Qt::transparent);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 48));
    p.drawRoundedRect(QRectF(40, 2, 8, 30), 3, 3);   // antenna
    p.drawRoundedRect(QRectF(10, 26, 44, 68), 8, 8); // body
    p.setBrush(QColor(90, 170, 220));
    p.drawRoundedRect(QRectF(17, 34, 30, 16), 2, 2); // display
    p.setPen(QPen(QColor(150, 150, 160), 2));
    for (int y = 58; y <= 84; y += 6)
        p.drawLine(18, y, 46, y); // speaker grille
    return logo;
}

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

} // namespace

frmAboutSoft::frmAboutSoft(const Setup& setup, QWidget* parent) : QDialog(parent) {
    setObjectName("frmAboutSoft");
    MakeFixedDialog(this);
    const Language lang = setup.language;
    const auto text = [lang](Text t) { return TextIn(t, lang); };
    lblTitle = AddLabel(this, "lblTitle", Q(setup.lines.title));
    lblUseRange = AddLabel(this, "lblUseRange", Q(setup.lines.useRange));
    lblVersion = AddLabel(this, "lblVersion", Q(setup.version));
    lblRelease = AddLabel(this, "lblRelease", Q(setup.release));
    lblDescription = AddLabel(this, "lblDescription", text(Text::AboutDescription));
    lblRights = AddLabel(this, "lblRights", text(Text::AboutRights));
    lblDisClaimer = AddLabel(this, "lblDisClaimer", text(Text::AboutDisclaimer));
    picLogo = new QLabel(this);
    picLogo->setObjectName("picLogo");
    picLogo->setPixmap(RadioLogo());
    cmdOK = new QPushButton(text(Text::Ok), this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(picLogo, 0, 0, 4, 1, Qt::AlignTop);
    grid->addWidget(lblTitle, 0, 1);
    grid->addWidget(lblUseRange, 1, 1);
    grid->addWidget(lblVersion, 2, 1);
    grid->addWidget(lblRelease, 3, 1);
    grid->addWidget(lblDescription, 4, 0, 1, 2);
    grid->addWidget(lblRights, 5, 0, 1, 2);
    grid->addWidget(lblDisClaimer, 6, 0, 1, 2);
    grid->addWidget(cmdOK, 7, 1, Qt::AlignRight);
    grid->setVerticalSpacing(10);
    grid->setColumnMinimumWidth(1, 360);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    lblDisClaimer->setFrameShape(QFrame::StyledPanel);

    PaintBackground(this, setup.background);
    ApplyFont(this, lang);
    QFont titleFont = lblTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    lblTitle->setFont(titleFont);
    setWindowTitle(text(Text::AboutTitle));
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace hx
