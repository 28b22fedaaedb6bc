#include "gui/style/Captions.h"

#include "core/texts/Texts.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

namespace hx {

void ApplyTexts(QWidget* control, Language language) {
    const std::string name = control->objectName().toStdString();
    const auto text = [&](const Bilingual& b) {
        return QString::fromStdString(std::string(b.in(language)));
    };
    if (const Bilingual* caption = CaptionOf(name)) {
        if (auto* label = qobject_cast<QLabel*>(control))
            label->setText(text(*caption));
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            button->setText(text(*caption));
        else if (auto* frame = qobject_cast<QGroupBox*>(control))
            frame->setTitle(text(*caption));
    }
    if (const Bilingual* tip = ToolTipOf(name))
        control->setToolTip(text(*tip));
}

} // namespace hx
