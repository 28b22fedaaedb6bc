#pragma once

#include "app/Language.h"
#include "app/settings/UserSettings.h"

#include <filesystem>
#include <optional>
#include <string>

namespace hx {

enum class MessageIcon { Question, Exclamation, Critical };

// Everything the window asks the user through a modal dialog. The program uses the
// Qt dialogs; tests script the answers.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // A question with Yes and No buttons; true for Yes.
    virtual bool ask(const std::string& title, const std::string& text, MessageIcon icon) = 0;
    // A message with an OK button.
    virtual void tell(const std::string& title, const std::string& text, MessageIcon icon) = 0;
    // The language chooser of the first start, painted in the frame colour.
    virtual Language chooseLanguage(BgrColour background) = 0;

    struct FileRequest {
        std::filesystem::path start; // where the dialog opens
        bool save = false;           // save dialog with the default extension "dat"
    };
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<std::filesystem::path> chooseDataFile(const FileRequest& request) = 0;
};

} // namespace hx
