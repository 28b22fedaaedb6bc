#include "app/window/QtUserDialogs.h"

#include "app/window/LanguageChooser.h"

#include <QFileDialog>
#include <QMessageBox>

namespace hx {
namespace {

QMessageBox::Icon ToQt(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

bool QtUserDialogs::ask(const std::string& title, const std::string& text, MessageIcon icon) {
    QMessageBox box(ToQt(icon), QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, owner_);
    return box.exec() == QMessageBox::Yes;
}

void QtUserDialogs::tell(const std::string& title, const std::string& text, MessageIcon icon) {
    QMessageBox box(ToQt(icon), QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::Ok, owner_);
    box.exec();
}

Language QtUserDialogs::chooseLanguage(BgrColour background) {
    LanguageChooser chooser(background, owner_);
    chooser.exec();
    return chooser.language();
}

std::optional<std::filesystem::path> QtUserDialogs::chooseDataFile(const FileRequest& request) {
    QFileDialog dialog(owner_, QString(), QString::fromStdString(request.start.string()),
                       "Data File(*.Dat) (*.dat *.Dat *.DAT)");
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (request.save)
        dialog.setDefaultSuffix("dat");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return std::filesystem::path(dialog.selectedFiles().front().toStdString());
}

} // namespace hx
