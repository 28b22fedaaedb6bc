#include "gui/window/PlugDocument.h"

namespace hx {

void PlugDocument::apply(EditKind kind, int count, const PlugSnapshot& after) {
    history_.push({kind, count, current(), after});
    take(after);
}

void PlugDocument::load(const PlugSnapshot& loaded) {
    history_.clear();
    take(loaded);
}

void PlugDocument::undo() {
    if (const auto before = history_.undo())
        take(*before);
}

void PlugDocument::redo() {
    if (const auto after = history_.redo())
        take(*after);
}

void PlugDocument::clearHistory() {
    history_.clear();
    state_.plug.modified = false;
    emit historyChanged();
}

void PlugDocument::markClean() {
    history_.markClean();
    state_.plug.modified = false;
    emit historyChanged();
}

void PlugDocument::take(const PlugSnapshot& snapshot) {
    const PlugSnapshot previous = current();
    state_.plug.channels = snapshot.channels;
    state_.plug.functions = snapshot.functions;
    state_.selectedSubModel = snapshot.subModel;
    state_.plug.modified = !history_.isClean();
    emit plugChanged(previous);
    emit historyChanged();
}

} // namespace hx
