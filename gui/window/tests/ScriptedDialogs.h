#pragma once

#include "gui/dialogs/UserDialogs.h"

#include <QDialog>
#include <QPrinter>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace hx {

// Answers the window's questions from a script and records every message.
class ScriptedDialogs : public UserDialogs {
public:
    struct Shown {
        std::string title, text;
        MessageIcon icon;
        Answer preferred = Answer::Yes; // of a question
    };
    std::deque<bool> answers; // Yes/No, in order; an unscripted question is a test failure
    std::vector<Shown> questions, messages;
    Language language = Language::English;
    int languageChoices = 0;
    bool unscripted = false;
    // Runs while a question is open, as a real question box would take the focus.
    std::function<void()> whileAsking;

    using UserDialogs::ask;
    bool ask(const std::string& title, const std::string& text, MessageIcon icon,
             Answer preferred) override {
        questions.push_back({title, text, icon, preferred});
        if (whileAsking)
            whileAsking();
        if (answers.empty()) {
            unscripted = true;
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void tell(const std::string& title, const std::string& text, MessageIcon icon) override {
        messages.push_back({title, text, icon});
    }
    Language chooseLanguage(BgrColour) override {
        ++languageChoices;
        return language;
    }
    std::deque<std::optional<std::filesystem::path>> files; // nothing = cancelled
    std::vector<FileRequest> fileRequests;

    std::optional<std::filesystem::path> chooseDataFile(const FileRequest& request) override {
        fileRequests.push_back(request);
        if (files.empty()) {
            unscripted = true;
            return std::nullopt;
        }
        auto file = files.front();
        files.pop_front();
        return file;
    }

    // Each print dialog in order: a path prints the card there as PDF, nothing cancels.
    std::deque<std::optional<std::filesystem::path>> printers;

    bool choosePrinter(QPrinter& printer) override {
        if (printers.empty()) {
            unscripted = true;
            return false;
        }
        const auto target = printers.front();
        printers.pop_front();
        if (!target)
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(target->string()));
        return true;
    }

    // What to do in each of the program's own dialogs, in order: press its buttons.
    std::deque<std::function<void(QDialog&)>> modal;
    struct ModalRun {
        std::string name;
        bool openAfterScript; // false: the dialog closed itself or was closed
    };
    std::vector<ModalRun> modalRuns;

    void showModal(QDialog& dialog) override {
        if (modal.empty()) {
            unscripted = true;
            modalRuns.push_back({dialog.objectName().toStdString(), false});
            return;
        }
        auto script = std::move(modal.front());
        modal.pop_front();
        const std::size_t run = modalRuns.size(); // in the order they opened
        modalRuns.push_back({dialog.objectName().toStdString(), true});
        dialog.show();
        script(dialog);
        modalRuns[run].openAfterScript = dialog.isVisible();
        dialog.hide();
    }

    std::vector<std::filesystem::path> documents; // every document asked for
    std::function<bool(const std::filesystem::path&)> viewerOpens =
        [](const std::filesystem::path& p) { return std::filesystem::exists(p); };

    bool openDocument(const std::filesystem::path& document) override {
        documents.push_back(document);
        return viewerOpens(document);
    }
};

} // namespace hx
