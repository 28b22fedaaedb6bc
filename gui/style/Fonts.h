#pragma once

#include "core/texts/Language.h"

#include <QFont>
#include <QWidget>

namespace hx {

// The interface fonts go by their Windows names, as the radio dealers know them.
inline constexpr const char* kFontChinese = "宋体";
inline constexpr const char* kFontEnglish = "Times New Roman";

inline const char* FontFamilyFor(Language language) {
    return language == Language::Chinese ? kFontChinese : kFontEnglish;
}

// Fonts that hold the glyphs when the Windows font names are not installed.
inline void InstallFontSubstitutes() {
    QFont::insertSubstitutions(kFontChinese,
                               {"WenQuanYi Zen Hei", "Noto Sans CJK SC", "Droid Sans Fallback"});
    QFont::insertSubstitutions(kFontEnglish,
                               {"Liberation Serif", "DejaVu Serif", "WenQuanYi Zen Hei"});
}

// Sets the interface font of a language on a widget and, through inheritance, on
// its children.
inline void ApplyFont(QWidget* widget, Language language) {
    QFont font = widget->font();
    font.setFamily(FontFamilyFor(language));
    widget->setFont(font);
}

} // namespace hx
