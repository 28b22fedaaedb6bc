#pragma once

#include "core/texts/Texts.h"

#include <QDialog>
#include <QString>

namespace hx {

// The program's own dialogs have a fixed size, a title and a close box, and no
// minimise or maximise buttons.
inline void MakeFixedDialog(QDialog* dialog) {
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint);
}

inline QString TextIn(Text text, Language language) {
    return QString::fromUtf8(TextOf(text).in(language));
}

} // namespace hx
