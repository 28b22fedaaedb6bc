#pragma once

#include "core/texts/Language.h"

#include <QTranslator>

namespace hx {

// Qt's own texts (the buttons of the message boxes, the file dialogs, the edit
// boxes' menus) in the interface language. Debian ships Qt's Chinese in
// qt6-translations-l10n; where it is missing they stay English.
class QtOwnTexts {
public:
    void apply(Language language);

private:
    QTranslator chinese_;
    bool installed_ = false;
};

} // namespace hx
