#pragma once

#include "core/codeplug/CodePlug.h"
#include "core/texts/Language.h"

#include <optional>
#include <string>
#include <vector>

namespace hx {

// Everything of a data set the user edits: what one undo step puts back.
struct PlugSnapshot {
    ChannelTable channels;
    FunctionPositions functions;
    int subModel = -1; // position in the sub-model list, -1 = none
    bool operator==(const PlugSnapshot&) const = default;
};

// The kinds of change to the plug, each an undo step of its own.
enum class EditKind {
    StoreChannel,
    DeleteChannel,
    ClearAllChannels,
    PasteChannels,
    ImportPlan,
    MoveChannels,
    ClearChannels,
    FunctionSetting,
    SubModelSwitch,
    ReadRadio,
    NewDataSet,
};

struct EditStep {
    EditKind kind;
    int count = 1; // channels the change touched
    PlugSnapshot before;
    PlugSnapshot after;
};

// What a step is called in the Edit menu: "Paste 4 Channels".
std::string EditStepName(EditKind kind, int count, Language language);

// The changes of the plug in order, with the position between those done and those
// undone. The clean position is that of the plug last saved or loaded; undoing or
// redoing back to it leaves nothing to save.
class PlugHistory {
public:
    // A step that changes nothing is no step. Pushing drops what was undone; when the
    // clean position was among it, no position is clean any more.
    void push(EditStep step);
    // The snapshot to return to, or nothing when there is no step that way.
    std::optional<PlugSnapshot> undo();
    std::optional<PlugSnapshot> redo();
    // No steps left; the plug as it stands is clean.
    void clear();
    void markClean() { clean_ = position_; }

    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ < steps_.size(); }
    bool isClean() const { return clean_ == position_; }
    // "Undo Paste 4 Channels", or the plain "Undo" with nothing to undo.
    std::string undoText(Language language) const;
    std::string redoText(Language language) const;

private:
    static constexpr std::size_t kUnreachable = static_cast<std::size_t>(-1);
    std::vector<EditStep> steps_;
    std::size_t position_ = 0; // steps before it are done
    std::size_t clean_ = 0;
};

} // namespace hx
