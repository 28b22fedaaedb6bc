#include "gui/dialogs/AboutDialog.h"

#include "core/texts/Texts.h"
#include "gui/style/Colours.h"
#include "gui/style/DialogStyle.h"
#include "gui/style/Fonts.h"

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

AboutDialog::AboutDialog(const Setup& setup, QWidget* parent) : QDialog(parent) {
    setObjectName("AboutDialog");
    MakeFixedDialog(this);
    const Language lang = setup.language;
    const auto text = [lang](Text t) { return TextIn(t, lang); };
    titleLabel = AddLabel(this, "titleLabel", Q(setup.lines.title));
    modelsLabel = AddLabel(this, "modelsLabel", Q(setup.lines.models));
    versionLabel = AddLabel(this, "versionLabel", Q(setup.version));
    releaseLabel = AddLabel(this, "releaseLabel", Q(setup.release));
    descriptionLabel = AddLabel(this, "descriptionLabel", text(Text::AboutDescription));
    rightsLabel = AddLabel(this, "rightsLabel", text(Text::AboutRights));
    disclaimerLabel = AddLabel(this, "disclaimerLabel", text(Text::AboutDisclaimer));
    logoLabel = new QLabel(this);
    logoLabel->setObjectName("logoLabel");
    logoLabel->setPixmap(RadioLogo());
    okButton = new QPushButton(text(Text::Ok), this);
    okButton->setObjectName("okButton");
    okButton->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(logoLabel, 0, 0, 4, 1, Qt::AlignTop);
    grid->addWidget(titleLabel, 0, 1);
    grid->addWidget(modelsLabel, 1, 1);
    grid->addWidget(versionLabel, 2, 1);
    grid->addWidget(releaseLabel, 3, 1);
    grid->addWidget(descriptionLabel, 4, 0, 1, 2);
    grid->addWidget(rightsLabel, 5, 0, 1, 2);
    grid->addWidget(disclaimerLabel, 6, 0, 1, 2);
    grid->addWidget(okButton, 7, 1, Qt::AlignRight);
    grid->setVerticalSpacing(10);
    grid->setColumnMinimumWidth(1, 360);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    disclaimerLabel->setFrameShape(QFrame::StyledPanel);

    PaintBackground(this, setup.background);
    ApplyFont(this, lang);
    QFont titleFont = titleLabel->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleLabel->setFont(titleFont);
    setWindowTitle(text(Text::AboutTitle));
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace hx
