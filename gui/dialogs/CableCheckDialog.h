#pragma once

#include "core/link/CableDoctor.h"
#include "core/settings/UserSettings.h"
#include "core/texts/Language.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <vector>

namespace hx {

// What the cable doctor found: the serial devices present, then one line per finding
// with its fix below it. It only shows; the fixes are for the user to run.
class CableCheckDialog : public QDialog {
    Q_OBJECT
public:
    struct Setup {
        std::string port; // "COM3"
        CableReport report;
        Language language;
        BgrColour background;
    };
    CableCheckDialog(const Setup& setup, QWidget* parent);

    QLabel* devicesLabel;
    std::vector<QLabel*> findingLabels; // in the report's order
    std::vector<QLabel*> fixLabels;     // one per finding that has a fix
    QPushButton* okButton;
};

} // namespace hx
