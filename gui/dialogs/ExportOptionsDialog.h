#pragma once

#include "core/exchange/CsvSyntax.h"
#include "core/settings/UserSettings.h"
#include "core/texts/Language.h"

#include <QDialog>
#include <QPushButton>
#include <QRadioButton>

namespace hx {

// Asks how the fields of an exported channel plan are separated: a comma for
// spreadsheets with a decimal point, a semicolon (and decimal commas) for those of
// German or French settings, a tab for a text file; or CHIRP's CSV, which other
// programming tools read.
class ExportOptionsDialog : public QDialog {
    Q_OBJECT
public:
    struct Setup {
        Separator proposed;
        bool chirpProposed;
        Language language;
        BgrColour background;
    };
    ExportOptionsDialog(const Setup& setup, QWidget* parent);

    Separator separator() const;
    bool chirp() const { return chirpButton->isChecked(); }

    QRadioButton *commaButton, *semicolonButton, *tabButton, *chirpButton;
    QPushButton *exportButton, *cancelButton;
};

} // namespace hx
