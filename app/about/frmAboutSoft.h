#pragma once

#include "app/Language.h"
#include "app/about/About.h"
#include "app/settings/UserSettings.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace hx {

// The About box: title, radios served, version and release of the model
// profile, and what the software does and does not promise.
class frmAboutSoft : public QDialog {
    Q_OBJECT
public:
    struct Setup {
        AboutLines lines;
        std::string version, release; // from the model profile
        Language language;
        BgrColour background;
    };
    frmAboutSoft(const Setup& setup, QWidget* parent);

    QLabel *lblTitle, *lblUseRange, *lblVersion, *lblRelease;
    QLabel *lblDescription, *lblRights, *lblDisClaimer, *picLogo;
    QPushButton* cmdOK;
};

} // namespace hx
