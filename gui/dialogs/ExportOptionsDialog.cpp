#include "gui/dialogs/ExportOptionsDialog.h"

#include "core/texts/Texts.h"
#include "gui/style/Colours.h"
#include "gui/style/DialogStyle.h"
#include "gui/style/Fonts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace hx {

ExportOptionsDialog::ExportOptionsDialog(const Setup& setup, QWidget* parent) : QDialog(parent) {
    setObjectName("ExportOptionsDialog");
    MakeFixedDialog(this);
    const Language lang = setup.language;
    const auto text = [lang](Text t) { return TextIn(t, lang); };

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(text(Text::ExportSeparator), this));
    const auto choice = [&](const char* name, Text caption, bool proposed) {
        auto* button = new QRadioButton(text(caption), this);
        button->setObjectName(name);
        button->setChecked(proposed);
        layout->addWidget(button);
        return button;
    };
    const auto plan = [&](Separator separator) {
        return !setup.chirpProposed && separator == setup.proposed;
    };
    commaButton = choice("commaButton", Text::ExportComma, plan(Separator::Comma));
    semicolonButton = choice("semicolonButton", Text::ExportSemicolon, plan(Separator::Semicolon));
    tabButton = choice("tabButton", Text::ExportTab, plan(Separator::Tab));
    chirpButton = choice("chirpButton", Text::ExportChirp, setup.chirpProposed);

    exportButton = new QPushButton(text(Text::ExportButton), this);
    exportButton->setObjectName("exportButton");
    exportButton->setDefault(true);
    cancelButton = new QPushButton(text(Text::CancelButton), this);
    cancelButton->setObjectName("cancelButton");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(exportButton);
    buttons->addWidget(cancelButton);
    layout->addLayout(buttons);

    PaintBackground(this, setup.background);
    ApplyFont(this, lang);
    setWindowTitle(text(Text::ExportTitle));
    connect(exportButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

Separator ExportOptionsDialog::separator() const {
    if (semicolonButton->isChecked())
        return Separator::Semicolon;
    return tabButton->isChecked() ? Separator::Tab : Separator::Comma;
}

} // namespace hx
