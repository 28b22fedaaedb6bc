#include "gui/dialogs/QtUserDialogs.h"

#include "core/platform/Desktop.h"
#include "gui/dialogs/LanguageChooser.h"
#include "gui/ondemand/OnDemand.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

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

// Whether the desktop names a program for a kind of document. xdg-open reports
// success even when it has nothing to show a document with, so ask first.
bool DesktopHasViewerFor(const QStringList& mimeTypes) {
    for (const QString& type : mimeTypes) {
        QProcess query;
        query.start("xdg-mime", {"query", "default", type});
        if (query.waitForFinished(2000) && !query.readAllStandardOutput().trimmed().isEmpty())
            return true;
    }
    return false;
}

} // namespace

bool QtUserDialogs::ask(const std::string& title, const std::string& text, MessageIcon icon,
                        Answer preferred) {
    QMessageBox box(ToQt(icon), QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, owner_);
    box.setDefaultButton(preferred == Answer::Yes ? QMessageBox::Yes : QMessageBox::No);
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
    const bool dataFile = request.filter.empty();
    QFileDialog dialog(owner_, QString(), QString::fromStdString(request.start.string()),
                       dataFile ? "Data File(*.Dat) (*.dat *.Dat *.DAT)"
                                : QString::fromStdString(request.filter));
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (request.save)
        dialog.setDefaultSuffix(dataFile ? "dat" : QString::fromStdString(request.extension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return std::filesystem::path(dialog.selectedFiles().front().toStdString());
}

bool QtUserDialogs::choosePrinter(QPrinter& printer) {
    const OnDemand* onDemand = LoadOnDemand();
    return onDemand && onDemand->choosePrinter(printer, owner_);
}

void QtUserDialogs::showModal(QDialog& dialog) {
    dialog.exec();
}

bool QtUserDialogs::openDocument(const std::filesystem::path& document) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(document, error))
        return false;
    if (document.extension() == ".chm" && !platform::SystemShowsCompiledHelp() &&
        !DesktopHasViewerFor({"application/vnd.ms-htmlhelp", "application/x-chm"}))
        return false;
    return QDesktopServices::openUrl(
        QUrl::fromLocalFile(QString::fromStdString(document.string())));
}

} // namespace hx
