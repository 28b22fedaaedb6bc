#include "gui/window/CardCommands.h"

#include "gui/card/CardOutput.h"
#include "gui/ondemand/OnDemand.h"

namespace hx {

CardCommands::CardCommands(const WindowState& state, UserDialogs& dialogs, Window window)
    : state_(state), dialogs_(dialogs), window_(std::move(window)) {}

// The card shows what Save would write, decoded as opening that file shows it, so the
// window's card and hxtool's card of the saved file are the same.
ChannelCard CardCommands::card() const {
    const auto& model = state_.model;
    const DecodeResult decoded = DecodeImage(
        window_.encode(), {state_.modelCode, model.profile, model.tones}, window_.shown());
    return MakeChannelCard(decoded, model, state_.language);
}

void CardCommands::print() {
    const OnDemand* onDemand = LoadOnDemand();
    const auto outcome = onDemand ? onDemand->printCard(card(), PaperOfLocale(),
                                                        [this](QPrinter& printer) {
                                                            return dialogs_.choosePrinter(printer);
                                                        })
                                  : OnDemand::PrintOutcome::Failed;
    if (outcome == OnDemand::PrintOutcome::Failed)
        dialogs_.tell(state_.text(Text::MessageTitle), state_.text(Text::CardNotPrinted),
                      MessageIcon::Critical);
}

void CardCommands::exportPdf() {
    // Offered beside the data file, under its name.
    const auto start = std::filesystem::path(state_.currentDataFile).replace_extension(".pdf");
    const auto chosen = dialogs_.chooseDataFile({start, true, "PDF (*.pdf)", "pdf"});
    if (!chosen)
        return;
    if (const auto error = WriteCardPdf(card(), *chosen, PaperOfLocale()))
        dialogs_.tell(state_.text(Text::MessageTitle),
                      FillText(state_.text(Text::CardNotWritten), {error->message}),
                      MessageIcon::Critical);
}

} // namespace hx
