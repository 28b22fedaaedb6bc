#include "gui/window/DataFileCommands.h"

#include "core/image/DataFile.h"

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
    state_.origin = DataOrigin::New;
    markUnchanged();
}

void DataFileCommands::markUnchanged() {
    window_.markClean();
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
    return state_.origin == DataOrigin::New ? saveFileAs() : writeTo(ownFile());
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

// Every way into a file (the open dialog, the recent files, the command line) comes
// here, so none opens another program's file unasked.
void DataFileCommands::openPath(const std::filesystem::path& path) {
    const auto read = ReadDataFile(path);
    if (std::holds_alternative<DataFileError>(read)) {
        dialogs_.tell(title(), state_.text(Text::WrongFileType), MessageIcon::Critical);
        return;
    }
    const bool foreign = !LooksLikeDataFile(path);
    if (foreign && !dialogs_.ask(title(), state_.text(Text::NotADataFileQuestion),
                                 MessageIcon::Exclamation, Answer::No))
        return;
    foreignFile_ = foreign ? std::optional(path) : std::nullopt;
    state_.origin = DataOrigin::Opened;
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

bool DataFileCommands::isForeignFile(const std::filesystem::path& path) const {
    std::error_code error;
    return foreignFile_ && std::filesystem::equivalent(path, *foreignFile_, error);
}

DataFileCommands::SaveOutcome DataFileCommands::writeTo(const std::filesystem::path& target) {
    const bool foreign = isForeignFile(target);
    // No keeps the other program's file and offers another name, so that the changes
    // still have somewhere to go when the window is closing.
    if (foreign && !dialogs_.ask(title(), state_.text(Text::SaveIntoForeignFileQuestion),
                                 MessageIcon::Exclamation, Answer::No))
        return saveFileAs();
    state_.image = window_.encode();
    if (std::holds_alternative<DataFileError>(WriteDataFile(target, state_.image))) {
        dialogs_.tell(title(), state_.text(Text::SaveFailed), MessageIcon::Critical);
        return SaveOutcome::Failed;
    }
    if (foreign)
        foreignFile_.reset(); // it holds the radio data now
    // Only a written file changes the origin, so a failed save keeps its changes marked.
    state_.origin = DataOrigin::Saved;
    markUnchanged();
    state_.currentDataFile = target.string();
    window_.showFileName();
    window_.storeSettings();
    used(target);
    return SaveOutcome::Saved;
}

void DataFileCommands::saveFile() {
    if (state_.origin == DataOrigin::New && modified())
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
