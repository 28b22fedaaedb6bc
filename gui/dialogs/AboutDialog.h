#pragma once

#include "core/model/About.h"
#include "core/settings/UserSettings.h"
#include "core/texts/Language.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace hx {

// The About box: title, radios served, version and release of the model
// profile, and what the software does and does not promise.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    struct Setup {
        AboutLines lines;
        std::string version, release; // from the model profile
        Language language;
        BgrColour background;
    };
    AboutDialog(const Setup& setup, QWidget* parent);

    QLabel *titleLabel, *modelsLabel, *versionLabel, *releaseLabel;
    QLabel *descriptionLabel, *rightsLabel, *disclaimerLabel, *logoLabel;
    QPushButton* okButton;
};

} // namespace hx
