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
    void select(int position) { subModelList_->setCurrentIndex(position); }
    // Selects a position and shows its band without the change handling, as when the
    // plug already holds that sub-model's data.
    void showQuietly(int position);
    void showBand(int position);
    int selected() const { return subModelList_->currentIndex(); }
    std::string bandText() const { return bandValueLabel_->text().toStdString(); }
    // The one control the Tab key visits here.
    QList<QWidget*> keyboardOrder() const { return {subModelList_}; }

private:
    void subModelChosen();

    QComboBox* subModelList_;
    QLabel *subModelLabel_, *bandLabel_, *bandValueLabel_;
    WindowState& state_;
    UserDialogs& dialogs_;
    Actions actions_;
    bool restoring_ = false;
};

} // namespace hx
