#include "gui/window/CompareCommands.h"

#include "core/compare/ImageComparison.h"
#include "core/image/DataFile.h"
#include "gui/dialogs/ComparisonDialog.h"

namespace hx {

CompareCommands::CompareCommands(const WindowState& state, UserDialogs& dialogs,
                                 TransferCommands& transfers, Window window)
    : state_(state), dialogs_(dialogs), transfers_(transfers), window_(std::move(window)) {}

void CompareCommands::compareWithFile() {
    const auto chosen = dialogs_.chooseDataFile({state_.currentDataFile, false});
    if (!chosen)
        return;
    const auto read = ReadDataFile(*chosen);
    if (std::holds_alternative<DataFileError>(read)) {
        dialogs_.tell(state_.text(Text::MessageTitle), state_.text(Text::WrongFileType),
                      MessageIcon::Critical);
        return;
    }
    show(false, chosen->string(), std::get<MemoryImage>(read));
}

void CompareCommands::compareWithRadio() {
    transfers_.readRadioAside([this](const MemoryImage& radio) {
        show(true, "COM" + std::to_string(state_.portNumber), radio);
    });
}

// Only the bytes a write sends are compared: the rest of a file or of the radio's
// memory is nothing the window holds, and would only show as noise.
void CompareCommands::show(bool radio, const std::string& otherName, const MemoryImage& other) {
    const auto& model = state_.model;
    ComparisonDialog dialog(
        {radio ? ComparisonDialog::Other::Radio : ComparisonDialog::Other::File, otherName,
         CompareImages(window_.encode(), other,
                       {model.modelCode, model.profile, model.tones, state_.language},
                       kWrittenRange),
         state_.language, state_.colours.full},
        window_.owner);
    dialogs_.showModal(dialog);
}

} // namespace hx
