#pragma once

#include "gui/window/WindowState.h"

#include <QComboBox>
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
    // Captions, tool tips and colours; wide/narrow is labelled with the editor.
    void applyTexts();
    // Puts the code plug's function positions into the lists, and back.
    void showFunctions(const FunctionPositions& positions);
    FunctionPositions functions() const;
    void applyDefaults() { showFunctions(state_.model.profile.functionDefaults); }

    QComboBox* list(FunctionSetting setting) const;
    // The lists the Tab key visits, in order; wide/narrow goes with the editor.
    QList<QWidget*> keyboardOrder() const;

    QLabel* wideNarrowLabel;
    QComboBox* wideNarrowList;

signals:
    // A list's selection changed, other than through showFunctions.
    void functionsChanged();

private:
    WindowState& state_;
    QLabel *monitorKeyLabel, *timeOutTimerLabel, *squelchLevelLabel, *batterySaveLabel,
        *beepToneLabel, *scanFunctionLabel;
    QComboBox *monitorKeyList, *timeOutTimerList, *squelchLevelList, *batterySaveList,
        *beepToneList, *scanFunctionList;
};

// Replaces the items of a list while keeping the selected position.
void ReplaceItems(QComboBox* list, const QStringList& items);

} // namespace hx
