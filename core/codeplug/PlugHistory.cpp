#include "core/codeplug/PlugHistory.h"

#include "core/texts/Texts.h"

namespace hx {
namespace {

// Kinds whose name counts channels, with the English word for one of them.
struct CountedName {
    Text many;
    Text one;
};

std::optional<CountedName> CountedNameOf(EditKind kind) {
    switch (kind) {
    case EditKind::PasteChannels:
        return CountedName{Text::EditPasteChannels, Text::EditPasteChannel};
    case EditKind::MoveChannels:
        return CountedName{Text::EditMoveChannels, Text::EditMoveChannel};
    case EditKind::ClearChannels:
        return CountedName{Text::EditClearChannels, Text::EditClearChannel};
    default:
        return std::nullopt;
    }
}

Text PlainNameOf(EditKind kind) {
    switch (kind) {
    case EditKind::StoreChannel:
        return Text::EditStoreChannel;
    case EditKind::DeleteChannel:
        return Text::EditDeleteChannel;
    case EditKind::ClearAllChannels:
        return Text::EditClearAllChannels;
    case EditKind::ImportPlan:
        return Text::EditImportPlan;
    case EditKind::FunctionSetting:
        return Text::EditFunctionSetting;
    case EditKind::SubModelSwitch:
        return Text::EditSubModelSwitch;
    case EditKind::ReadRadio:
        return Text::EditReadRadio;
    default:
        return Text::EditNewDataSet;
    }
}

std::string StepText(Text withName, Text plain, const EditStep* step, Language language) {
    if (!step)
        return std::string(TextOf(plain).in(language));
    return FillText(TextOf(withName).in(language),
                    {EditStepName(step->kind, step->count, language)});
}

} // namespace

std::string EditStepName(EditKind kind, int count, Language language) {
    const auto counted = CountedNameOf(kind);
    if (!counted)
        return std::string(TextOf(PlainNameOf(kind)).in(language));
    const Text text = count == 1 ? counted->one : counted->many;
    return FillText(TextOf(text).in(language), {std::to_string(count)});
}

void PlugHistory::push(EditStep step) {
    if (step.before == step.after)
        return;
    steps_.resize(position_);
    if (clean_ > position_)
        clean_ = kUnreachable;
    steps_.push_back(std::move(step));
    position_ = steps_.size();
}

std::optional<PlugSnapshot> PlugHistory::undo() {
    if (!canUndo())
        return std::nullopt;
    return steps_[--position_].before;
}

std::optional<PlugSnapshot> PlugHistory::redo() {
    if (!canRedo())
        return std::nullopt;
    return steps_[position_++].after;
}

void PlugHistory::clear() {
    steps_.clear();
    position_ = clean_ = 0;
}

std::string PlugHistory::undoText(Language language) const {
    return StepText(Text::UndoStep, Text::UndoNothing, canUndo() ? &steps_[position_ - 1] : nullptr,
                    language);
}

std::string PlugHistory::redoText(Language language) const {
    return StepText(Text::RedoStep, Text::RedoNothing, canRedo() ? &steps_[position_] : nullptr,
                    language);
}

} // namespace hx
