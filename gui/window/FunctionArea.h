#pragma once

#include "gui/window/WindowState.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

namespace hx {

// "Function Set": the radio-wide settings lists, plus wide/narrow, which the
// channel editor shows beside its own controls.
class FunctionArea : public QGroupBox {
    Q_OBJECT
public:
    FunctionArea(WindowState& state, QWidget* parent);

    // Items of the current model and language; selections are kept.
    void fillLists();
    // Captions, tool tips and colours, wide/narrow's among them.
    void applyTexts();
    // Puts the code plug's function positions into the lists, and back.
    void showFunctions(const FunctionPositions& positions);
    FunctionPositions functions() const;
    void applyDefaults() { showFunctions(state_.model.profile.functionDefaults); }

    // The lists the Tab key visits, in order; wide/narrow goes with the editor.
    QList<QWidget*> keyboardOrder() const;
    // Wide/narrow is set for the whole radio, yet the user meets it among the channel
    // controls: its caption and list go into `row` of the editor's grid. Returns the
    // list's place in the editor's keyboard order.
    QList<QWidget*> placeWideNarrow(QGridLayout& grid, int row);

signals:
    // A list's selection changed, other than through showFunctions.
    void functionsChanged();

private:
    QComboBox* list(FunctionSetting setting) const;

    WindowState& state_;
    QLabel *monitorKeyLabel_, *timeOutTimerLabel_, *squelchLevelLabel_, *batterySaveLabel_,
        *beepToneLabel_, *scanFunctionLabel_, *wideNarrowLabel_;
    QComboBox *monitorKeyList_, *timeOutTimerList_, *squelchLevelList_, *batterySaveList_,
        *beepToneList_, *scanFunctionList_, *wideNarrowList_;
};

// Replaces the items of a list while keeping the selected position.
void ReplaceItems(QComboBox* list, const QStringList& items);

} // namespace hx
