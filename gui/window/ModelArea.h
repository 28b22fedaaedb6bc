#pragma once

#include "gui/dialogs/UserDialogs.h"
#include "gui/window/WindowState.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <functional>

namespace hx {

// "Model Select": the sub-model list and its band. Choosing another sub-model costs
// the code plug, so it asks first (unless the program itself is choosing).
class ModelArea : public QGroupBox {
    Q_OBJECT
public:
    struct Actions {
        std::function<void(int)> switchSubModel; // an empty plug for the new band
        std::function<void()> storeSettings;     // remember the choice
        std::function<void()> reformatBoxes;     // the editor's frequency texts
    };
    ModelArea(WindowState& state, UserDialogs& dialogs, Actions actions, QWidget* parent);

    void fillList();
    void applyTexts();
    // Selects a position as the program; the change handling runs as for the user.
    void select(int position) { subModelList->setCurrentIndex(position); }
    // Selects a position and shows its band without the change handling, as when the
    // plug already holds that sub-model's data.
    void showQuietly(int position);
    void showBand(int position);
    int selected() const { return subModelList->currentIndex(); }
    std::string bandText() const { return bandValueLabel->text().toStdString(); }
    QWidget* keyboardStop() const { return subModelList; }

    QComboBox* subModelList;
    QLabel* bandValueLabel;

private:
    void subModelChosen();

    QLabel *subModelLabel, *bandLabel;
    WindowState& state_;
    UserDialogs& dialogs_;
    Actions actions_;
    bool restoring_ = false;
};

} // namespace hx
