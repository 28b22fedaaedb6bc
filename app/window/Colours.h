#pragma once

#include "app/settings/UserSettings.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace hx {

inline QColor ToQColor(BgrColour c) {
    return QColor(c.red(), c.green(), c.blue());
}

// Paints a control's background (and, for boxes, its base) in a settings colour.
inline void PaintBackground(QWidget* widget, BgrColour colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, ToQColor(colour));
    palette.setColor(QPalette::Base, ToQColor(colour));
    palette.setColor(QPalette::Button, ToQColor(colour));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

inline void PaintText(QWidget* widget, BgrColour colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, ToQColor(colour));
    widget->setPalette(palette);
}

inline QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace hx
