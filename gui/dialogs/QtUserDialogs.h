#pragma once

#include "gui/dialogs/UserDialogs.h"

class QWidget;

namespace hx {

// The real dialogs, owned by the main window.
class QtUserDialogs : public UserDialogs {
public:
    void setOwner(QWidget* owner) { owner_ = owner; }

    using UserDialogs::ask;
    bool ask(const std::string& title, const std::string& text, MessageIcon icon,
             Answer preferred) override;
    void tell(const std::string& title, const std::string& text, MessageIcon icon) override;
    Language chooseLanguage(BgrColour background) override;
    std::optional<std::filesystem::path> chooseDataFile(const FileRequest& request) override;
    bool choosePrinter(QPrinter& printer) override;
    void showModal(QDialog& dialog) override;
    bool openDocument(const std::filesystem::path& document) override;

private:
    QWidget* owner_ = nullptr;
};

} // namespace hx
