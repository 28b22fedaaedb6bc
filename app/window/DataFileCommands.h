#pragma once

#include "app/window/UserDialogs.h"
#include "app/window/WindowState.h"

#include <functional>

namespace hx {

// New, open, save and save as. Nothing is lost: a failed open or save leaves the
// code plug, the flags and the files as they were.
class DataFileCommands {
public:
    struct Window {
        std::function<MemoryImage()> encode;          // the plug as the radio's image
        std::function<void(const MemoryImage&)> show; // decode into the window
        std::function<void()> clearCodePlug;          // defaults, empty table and editor
        std::function<void()> storeSettings;
        std::function<void()> showFileName;
        std::function<void()> focusConfirm;
        std::function<void(const std::filesystem::path&)> fileUsed; // opened or saved
        std::function<void(const std::filesystem::path&)> fileGone; // a recent file is no more
    };
    DataFileCommands(WindowState& state, UserDialogs& dialogs, Window window)
        : state_(state), dialogs_(dialogs), window_(std::move(window)) {}

    void NewFile();
    void OpenFile();
    // Opens a file of the recent-file list as OpenFile would; one that has gone is
    // reported and dropped from the list.
    void OpenRecentFile(const std::filesystem::path& path);
    // Opens a file named from outside the window, such as on the command line, as
    // OpenFile would once the file is chosen.
    void openDataFile(const std::filesystem::path& path);
    enum class SaveOutcome { Saved, Cancelled, Failed };
    void SaveFile();
    SaveOutcome SaveAsFile();
    // Offers unsaved changes of a new or opened data set for saving.
    SaveOutcome offerToSave();

private:
    void openPath(const std::filesystem::path& path);
    SaveOutcome writeTo(const std::filesystem::path& target);
    void used(const std::filesystem::path& path);
    std::string title() const { return state_.text(Text::MessageTitle); }

    WindowState& state_;
    UserDialogs& dialogs_;
    Window window_;
};

} // namespace hx
