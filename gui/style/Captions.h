#pragma once

#include "core/texts/Language.h"

class QWidget;

namespace hx {

// Puts the caption (a label's or button's text, a frame's title) and the tool tip
// that the text table holds for a control's object name on it, in `language`.
// A control the table has no text for keeps its own.
void ApplyTexts(QWidget* control, Language language);

} // namespace hx
