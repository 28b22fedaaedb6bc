#include "gui/window/ModelArea.h"

#include "gui/style/Captions.h"
#include "gui/style/Colours.h"

#include <QHBoxLayout>

namespace hx {

ModelArea::ModelArea(WindowState& state, UserDialogs& dialogs, Actions actions, QWidget* parent)
    : QGroupBox(parent), state_(state), dialogs_(dialogs), actions_(std::move(actions)) {
    setObjectName("modelArea");
    auto* row = new QHBoxLayout(this);
    subModelLabel_ = new QLabel(this);
    subModelLabel_->setObjectName("subModelLabel");
    subModelList_ = new QComboBox(this);
    subModelList_->setObjectName("subModelList");
    bandLabel_ = new QLabel(this);
    bandLabel_->setObjectName("bandLabel");
    bandValueLabel_ = new QLabel(this);
    bandValueLabel_->setObjectName("bandValueLabel");
    bandValueLabel_->setMinimumWidth(
        bandValueLabel_->fontMetrics().horizontalAdvance("000-000MHz"));
    row->addWidget(subModelLabel_);
    row->addWidget(subModelList_, 1);
    row->addSpacing(12);
    row->addWidget(bandLabel_);
    row->addWidget(bandValueLabel_, 1);
    connect(subModelList_, &QComboBox::currentIndexChanged, this, &ModelArea::subModelChosen);
}

void ModelArea::fillList() {
    const QSignalBlocker quiet(subModelList_);
    subModelList_->clear();
    for (int s = 0; s < state_.model.profile.subModelCount; ++s)
        subModelList_->addItem(Q(state_.model.profile.subModelName(s)));
    subModelList_->setCurrentIndex(-1);
}

void ModelArea::showBand(int position) {
    const auto& bands = state_.model.profile.bandTexts;
    if (position >= 0 && position < static_cast<int>(bands.size()))
        bandValueLabel_->setText(Q(bands[static_cast<std::size_t>(position)]));
}

void ModelArea::showQuietly(int position) {
    {
        const QSignalBlocker quiet(subModelList_);
        select(position);
    }
    showBand(position);
    state_.bandLabelText = bandText();
}

void ModelArea::applyTexts() {
    ApplyTexts(this, state_.language);
    PaintBackground(this, state_.colours.full);
    for (QLabel* l : {subModelLabel_, bandLabel_, bandValueLabel_}) {
        ApplyTexts(l, state_.language);
        PaintBackground(l, state_.colours.full);
    }
    ApplyTexts(subModelList_, state_.language);
}

void ModelArea::subModelChosen() {
    if (restoring_)
        return;
    int p = subModelList_->currentIndex();
    if (p != state_.selectedSubModel) {
        if (p == -1 && subModelList_->count() > 0) {
            const QSignalBlocker quiet(subModelList_);
            subModelList_->setCurrentIndex(0);
            p = 0;
        }
        showBand(p);
        const bool yes =
            state_.silentSubModelChange ||
            dialogs_.ask(state_.text(Text::MessageTitle), state_.text(Text::SubModelQuestion),
                         MessageIcon::Exclamation);
        if (yes) {
            state_.bandLabelText = bandValueLabel_->text().toStdString();
            actions_.switchSubModel(p);
        } else {
            bandValueLabel_->setText(Q(state_.bandLabelText));
            restoring_ = true;
            subModelList_->setCurrentIndex(state_.selectedSubModel);
            restoring_ = false;
        }
    }
    actions_.storeSettings();
    actions_.reformatBoxes();
}

} // namespace hx
