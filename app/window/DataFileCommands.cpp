#include "app/window/DataFileCommands.h"

#include "image/DataFile.h"

namespace hx {

void DataFileCommands::NewFile() {
    if (!dialogs_.ask(title(), state_.text(Text::ClearQuestion), MessageIcon::Question))
        return;
    window_.clearCodePlug();
    state_.image = InitMatrixCode();
    state_.currentDataFile = state_.scratchDataFile().string();
    window_.showFileName();
    window_.storeSettings();
    state_.newFileFlag = true;
    state_.plug.modified = false;
    state_.openedFileFlag = false;
}

DataFileCommands::SaveOutcome DataFileCommands::offerToSave() {
    if (!state_.plug.modified || !(state_.newFileFlag || state_.openedFileFlag))
        return SaveOutcome::Saved;
    if (!dialogs_.ask(title(), state_.text(Text::SaveQuestion), MessageIcon::Question))
        return SaveOutcome::Cancelled;
    return SaveAsFile();
}

void DataFileCommands::OpenFile() {
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

void DataFileCommands::OpenRecentFile(const std::filesystem::path& path) {
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
    state_.plug.modified = false;
    state_.openedFileFlag = true;
    window_.show(std::get<MemoryImage>(read));
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
    state_.plug.modified = false;
    state_.currentDataFile = target.string();
    window_.showFileName();
    window_.storeSettings();
    used(target);
    return SaveOutcome::Saved;
}

void DataFileCommands::SaveFile() {
    if (state_.newFileFlag && state_.plug.modified) {
        if (dialogs_.ask(title(), state_.text(Text::SaveQuestion), MessageIcon::Question))
            SaveAsFile();
        return;
    }
    std::filesystem::path target = state_.currentDataFile;
    if (state_.currentDataFile.empty() || state_.currentDataFile == " ")
        target = state_.scratchDataFile();
    writeTo(target);
}

DataFileCommands::SaveOutcome DataFileCommands::SaveAsFile() {
    const auto chosen = dialogs_.chooseDataFile({state_.currentDataFile, true});
    if (!chosen)
        return SaveOutcome::Cancelled;
    return writeTo(*chosen);
}

} // namespace hx
