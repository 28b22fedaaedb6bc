#pragma once

#include "core/settings/UserSettings.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace hx {

inline QColor ToQColor(BgrColour c) {
    return QColor(c.red(), c.green(), c.blue());
}

// Paints a frame, label, check box or button in a settings colour; the edit
// boxes inside keep their own base.
inline void PaintBackground(QWidget* widget, BgrColour colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, ToQColor(colour));
    palette.setColor(QPalette::Button, ToQColor(colour));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// Paints the base of a channel table cell.
inline void PaintCell(QWidget* cell, BgrColour colour) {
    QPalette palette = cell->palette();
    palette.setColor(QPalette::Base, ToQColor(colour));
    cell->setPalette(palette);
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
