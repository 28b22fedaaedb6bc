#include "gui/window/DataFileCommands.h"

#include "core/files/DataFile.h"

namespace hx {

void DataFileCommands::newFile() {
    if (!dialogs_.ask(title(), state_.text(Text::ClearQuestion), MessageIcon::Question))
        return;
    if (offerToSave() == SaveOutcome::Failed)
        return;
    window_.clearCodePlug();
    state_.image = BlankImage();
    state_.currentDataFile = state_.scratchDataFile().string();
    window_.showFileName();
    window_.storeSettings();
    state_.newFileFlag = true;
    state_.openedFileFlag = false;
    markUnchanged();
}

void DataFileCommands::markUnchanged() {
    state_.plug.modified = false;
    unchanged_ = window_.encode();
}

// The image compares what a save would write, so a change to the plug that no
// command marked is found as well.
bool DataFileCommands::modified() const {
    return state_.plug.modified || window_.encode() != unchanged_;
}

DataFileCommands::SaveOutcome DataFileCommands::offerToSave() {
    if (!modified())
        return SaveOutcome::Saved;
    if (!dialogs_.ask(title(), state_.text(Text::SaveQuestion), MessageIcon::Question))
        return SaveOutcome::Cancelled;
    // A new data set has no file of the user's yet.
    return state_.newFileFlag ? saveFileAs() : writeTo(ownFile());
}

void DataFileCommands::openFile() {
    if (offerToSave() == SaveOutcome::Failed)
        return;
    const auto chosen = dialogs_.chooseDataFile({state_.currentDataFile, false});
    if (chosen)
        openPath(*chosen);
}

void DataFileCommands::openDataFile(const std::filesystem::path& path) {
    if (offerToSave() == SaveOutcome::Failed)
        return;
    openPath(path);
}

void DataFileCommands::openRecentFile(const std::filesystem::path& path) {
    if (offerToSave() == SaveOutcome::Failed)
        return;
    std::error_code error;
    // Only a file known to be gone leaves the list; one on a stick that is not
    // plugged in shows the open failure and stays.
    if (!std::filesystem::exists(path, error) && !error) {
        dialogs_.tell(title(), state_.text(Text::RecentFileGone) + path.string(),
                      MessageIcon::Exclamation);
        window_.fileGone(path);
        return;
    }
    openPath(path);
}

void DataFileCommands::openPath(const std::filesystem::path& path) {
    const auto read = ReadDataFile(path);
    if (std::holds_alternative<DataFileError>(read)) {
        dialogs_.tell(title(), state_.text(Text::WrongFileType), MessageIcon::Critical);
        return;
    }
    state_.newFileFlag = false;
    state_.openedFileFlag = true;
    window_.show(std::get<MemoryImage>(read));
    markUnchanged();
    state_.currentDataFile = path.string();
    window_.showFileName();
    window_.storeSettings();
    used(path);
    window_.focusConfirm();
}

// The scratch file of a new data set has no name the user chose, so it stays off
// the recent-file list.
void DataFileCommands::used(const std::filesystem::path& path) {
    if (path != state_.scratchDataFile())
        window_.fileUsed(path);
}

DataFileCommands::SaveOutcome DataFileCommands::writeTo(const std::filesystem::path& target) {
    state_.image = window_.encode();
    if (std::holds_alternative<DataFileError>(WriteDataFile(target, state_.image))) {
        dialogs_.tell(title(), state_.text(Text::SaveFailed), MessageIcon::Critical);
        return SaveOutcome::Failed;
    }
    // Only a written file clears the flags, so a failed save keeps its changes marked.
    state_.newFileFlag = false;
    state_.openedFileFlag = false;
    markUnchanged();
    state_.currentDataFile = target.string();
    window_.showFileName();
    window_.storeSettings();
    used(target);
    return SaveOutcome::Saved;
}

void DataFileCommands::saveFile() {
    if (state_.newFileFlag && modified())
        offerToSave(); // never into the scratch file unasked
    else
        writeTo(ownFile());
}

std::filesystem::path DataFileCommands::ownFile() const {
    if (state_.currentDataFile.empty() || state_.currentDataFile == " ")
        return state_.scratchDataFile();
    return state_.currentDataFile;
}

DataFileCommands::SaveOutcome DataFileCommands::saveFileAs() {
    const auto chosen = dialogs_.chooseDataFile({state_.currentDataFile, true});
    if (!chosen)
        return SaveOutcome::Cancelled;
    return writeTo(*chosen);
}

} // namespace hx
