#pragma once

#include "core/settings/UserSettings.h"
#include "core/texts/Language.h"

#include <filesystem>
#include <optional>
#include <string>

class QDialog;
class QPrinter;

namespace hx {

enum class MessageIcon { Question, Exclamation, Critical };
enum class Answer { Yes, No };

// Everything the window asks the user through a modal dialog or shows in another
// program. The program uses the Qt dialogs and the desktop; tests script them.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // A question with Yes and No buttons; true for Yes. Enter presses the `preferred`
    // button: No where a hasty Yes could cost another program's file.
    virtual bool ask(const std::string& title, const std::string& text, MessageIcon icon,
                     Answer preferred) = 0;
    bool ask(const std::string& title, const std::string& text, MessageIcon icon) {
        return ask(title, text, icon, Answer::Yes);
    }
    // A message with an OK button.
    virtual void tell(const std::string& title, const std::string& text, MessageIcon icon) = 0;
    // The language chooser of the first start, painted in the frame colour.
    virtual Language chooseLanguage(BgrColour background) = 0;

    struct FileRequest {
        std::filesystem::path start; // where the dialog opens
        bool save = false;           // save dialog with the default extension "dat"
        // Another kind of file than a data file: its filter, "PDF (*.pdf)", and the
        // extension a saved name without one gets.
        std::string filter = {};
        std::string extension = {};
    };
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<std::filesystem::path> chooseDataFile(const FileRequest& request) = 0;

    // The print dialog on `printer`; true when the user chose to print.
    virtual bool choosePrinter(QPrinter& printer) = 0;

    // Runs one of the program's own dialogs (port, communication, About) modally.
    virtual void showModal(QDialog& dialog) = 0;
    // Opens a document in the desktop's viewer for its kind; false when none could.
    virtual bool openDocument(const std::filesystem::path& document) = 0;
};

} // namespace hx
