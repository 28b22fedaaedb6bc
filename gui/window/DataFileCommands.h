#pragma once

#include "gui/dialogs/UserDialogs.h"
#include "gui/window/WindowState.h"

#include <functional>
#include <optional>

namespace hx {

// New, open, save and save as. Nothing is lost: a failed open or save leaves the
// code plug, the flags and the files as they were, and no way out of a data set
// passes over changes that were not saved. A file that does not look like a data
// file is opened only when the user says so, and written over only when the user
// says so again at its first save.
class DataFileCommands {
public:
    struct Window {
        std::function<MemoryImage()> encode;          // the plug as the radio's image
        std::function<void(const MemoryImage&)> show; // decode into the window, undo cleared
        std::function<void()> clearCodePlug;          // defaults, empty table and editor
        std::function<void()> markClean;              // the undo history's saved position
        std::function<void()> storeSettings;
        std::function<void()> showFileName;
        std::function<void()> focusConfirm;
        std::function<void(const std::filesystem::path&)> fileUsed; // opened or saved
        std::function<void(const std::filesystem::path&)> fileGone; // a recent file is no more
    };
    DataFileCommands(WindowState& state, UserDialogs& dialogs, Window window)
        : state_(state), dialogs_(dialogs), window_(std::move(window)) {}

    void newFile();
    void openFile();
    // Opens a file of the recent-file list as openFile would; one that has gone is
    // reported and dropped from the list.
    void openRecentFile(const std::filesystem::path& path);
    // Opens a file named from outside the window, such as on the command line, as
    // openFile would once the file is chosen.
    void openDataFile(const std::filesystem::path& path);
    enum class SaveOutcome { Saved, Cancelled, Failed };
    void saveFile();
    SaveOutcome saveFileAs();
    // Offers the changes for saving when there are any: into the data set's own
    // file where it has one, otherwise through the save dialog.
    SaveOutcome offerToSave();

    // The code plug as it stands is what was last saved or loaded, or a new data set.
    void markUnchanged();
    // Whether the code plug differs from what was last saved or loaded: edits,
    // deletions and setting changes alike, or a read from the radio.
    bool modified() const;

private:
    void openPath(const std::filesystem::path& path);
    SaveOutcome writeTo(const std::filesystem::path& target);
    bool isForeignFile(const std::filesystem::path& path) const;
    std::filesystem::path ownFile() const;
    void used(const std::filesystem::path& path);
    std::string title() const { return state_.text(Text::MessageTitle); }

    WindowState& state_;
    UserDialogs& dialogs_;
    Window window_;
    MemoryImage unchanged_ = BlankImage(); // the image of the last save or load
    // The file last opened although it did not look like a data file, until the
    // radio data is first saved into it.
    std::optional<std::filesystem::path> foreignFile_;
};

} // namespace hx
