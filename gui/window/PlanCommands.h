#pragma once

#include "core/codeplug/PlugHistory.h"
#include "core/exchange/ChannelPlan.h"
#include "core/exchange/CsvSyntax.h"
#include "gui/dialogs/UserDialogs.h"
#include "gui/window/ChannelTableView.h"
#include "gui/window/WindowState.h"

#include <functional>
#include <optional>

class QWidget;

namespace hx {

struct PlanImport;

// Channels in and out of the window: File > Export… and Import… of a channel plan
// (spreadsheet file), and the channel table's copy, paste, move and clear. Whatever
// comes in is shown first where rows could be rejected, and then applied as one
// change, the way opening a file applies an image.
class PlanCommands {
public:
    struct Window {
        QWidget* owner;
        ChannelTableView& table;
        std::function<DecoderState()> shown; // sub-model, functions, channels
        // Decodes into the window as one undo step.
        std::function<void(const MemoryImage&, EditKind, int count)> show;
        std::function<void(int)> selectChannel; // into the editor
    };
    PlanCommands(WindowState& state, UserDialogs& dialogs, Window window);

    void exportPlan();
    void importPlan();
    void copyChannels();
    // Pasted rows go into the first selected channel and on. Rows that pass the
    // checks are applied at once; when some are rejected, the preview shows both and
    // nothing is pasted before Apply; when all are, a message lists why. A single
    // value goes into the table's current cell, or a message says why it cannot.
    void pasteChannels();
    void moveChannels(int step); // -1 up, +1 down
    void clearChannels();

private:
    ChannelPlan currentPlan() const;
    PlanContext context() const {
        return {state_.model, state_.language, state_.bandCheckOn, state_.marksOutOfBand};
    }
    bool previewAccepted(const PlanImport& preview, bool paste, const std::string& source);
    void pasteValue(const std::string& value, int cellIndex);
    void tellNothingPasted(const std::string& reasons);
    void apply(const ChannelPlan& plan, EditKind kind, int count);
    std::string title() const { return state_.text(Text::MessageTitle); }

    WindowState& state_;
    UserDialogs& dialogs_;
    Window window_;
    // Comments of an import or paste, kept while their channels stay as they came.
    ChannelComments comments_;
    ChannelTable commented_;
    std::optional<Separator> separator_; // the last export's
    bool chirp_ = false;                 // whether it was CHIRP's CSV
};

} // namespace hx
