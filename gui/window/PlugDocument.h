#pragma once

#include "core/codeplug/PlugHistory.h"
#include "gui/window/WindowState.h"

#include <QObject>

namespace hx {

// The one way the window's plug changes: every edit, paste, import, read and reset
// comes here as a step that Undo can take back. The areas show what it holds when
// told by plugChanged; the modified mark follows the history's clean position.
class PlugDocument : public QObject {
    Q_OBJECT
public:
    explicit PlugDocument(WindowState& state, QObject* parent = nullptr)
        : QObject(parent), state_(state) {}

    PlugSnapshot current() const {
        return {state_.plug.channels, state_.plug.functions, state_.selectedSubModel};
    }
    // Makes `after` the plug as one step of `kind` touching `count` channels.
    void apply(EditKind kind, int count, const PlugSnapshot& after);
    // Puts `loaded` in place as a data set of its own: no step to undo into it.
    void load(const PlugSnapshot& loaded);
    void undo();
    void redo();
    // Nothing to undo or redo: the window starts afresh with the plug it holds.
    void clearHistory();
    // What the plug holds now was saved or loaded.
    void markClean();
    const PlugHistory& history() const { return history_; }

signals:
    // The plug holds another snapshot now; `previous` is what it held before.
    void plugChanged(const PlugSnapshot& previous);
    void historyChanged();

private:
    void take(const PlugSnapshot& snapshot);

    WindowState& state_;
    PlugHistory history_;
};

} // namespace hx
