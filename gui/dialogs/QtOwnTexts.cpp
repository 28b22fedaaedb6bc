#include "gui/dialogs/QtOwnTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace hx {

void QtOwnTexts::apply(Language language) {
    const bool chinese = language == Language::Chinese;
    if (chinese == installed_)
        return;
    if (!chinese) {
        QCoreApplication::removeTranslator(&chinese_);
        installed_ = false;
        return;
    }
    if (chinese_.isEmpty() &&
        !chinese_.load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    installed_ = QCoreApplication::installTranslator(&chinese_);
}

} // namespace hx
