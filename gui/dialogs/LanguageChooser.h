#pragma once

#include "core/settings/UserSettings.h"
#include "core/texts/Language.h"

#include <QDialog>
#include <QRadioButton>

namespace hx {

// LanguageChooser: the first start's choice of language. It shows each language in its
// own words, so it reads the same whichever is chosen; Chinese is preselected.
class LanguageChooser : public QDialog {
    Q_OBJECT
public:
    LanguageChooser(BgrColour background, QWidget* parent);
    Language language() const { return language_; }

private:
    Language language_ = Language::Chinese;
};

} // namespace hx
