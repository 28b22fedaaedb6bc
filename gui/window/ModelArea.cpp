#include "gui/window/ModelArea.h"

#include "gui/style/Captions.h"
#include "gui/style/Colours.h"

#include <QHBoxLayout>

namespace hx {

ModelArea::ModelArea(WindowState& state, UserDialogs& dialogs, Actions actions, QWidget* parent)
    : QGroupBox(parent), state_(state), dialogs_(dialogs), actions_(std::move(actions)) {
    setObjectName("modelArea");
    auto* row = new QHBoxLayout(this);
    subModelLabel = new QLabel(this);
    subModelLabel->setObjectName("subModelLabel");
    subModelList = new QComboBox(this);
    subModelList->setObjectName("subModelList");
    bandLabel = new QLabel(this);
    bandLabel->setObjectName("bandLabel");
    bandValueLabel = new QLabel(this);
    bandValueLabel->setObjectName("bandValueLabel");
    bandValueLabel->setMinimumWidth(bandValueLabel->fontMetrics().horizontalAdvance("000-000MHz"));
    row->addWidget(subModelLabel);
    row->addWidget(subModelList, 1);
    row->addSpacing(12);
    row->addWidget(bandLabel);
    row->addWidget(bandValueLabel, 1);
    connect(subModelList, &QComboBox::currentIndexChanged, this, &ModelArea::subModelChosen);
}

void ModelArea::fillList() {
    const QSignalBlocker quiet(subModelList);
    subModelList->clear();
    for (int s = 0; s < state_.model.profile.subModelCount; ++s)
        subModelList->addItem(Q(state_.model.profile.subModelName(s)));
    subModelList->setCurrentIndex(-1);
}

void ModelArea::showBand(int position) {
    const auto& bands = state_.model.profile.bandTexts;
    if (position >= 0 && position < static_cast<int>(bands.size()))
        bandValueLabel->setText(Q(bands[static_cast<std::size_t>(position)]));
}

void ModelArea::showQuietly(int position) {
    {
        const QSignalBlocker quiet(subModelList);
        select(position);
    }
    showBand(position);
    state_.bandLabelText = bandText();
}

void ModelArea::applyTexts() {
    ApplyTexts(this, state_.language);
    PaintBackground(this, state_.colours.full);
    for (QLabel* l : {subModelLabel, bandLabel, bandValueLabel}) {
        ApplyTexts(l, state_.language);
        PaintBackground(l, state_.colours.full);
    }
    ApplyTexts(subModelList, state_.language);
}

void ModelArea::subModelChosen() {
    if (restoring_)
        return;
    int p = subModelList->currentIndex();
    if (p != state_.selectedSubModel) {
        if (p == -1 && subModelList->count() > 0) {
            const QSignalBlocker quiet(subModelList);
            subModelList->setCurrentIndex(0);
            p = 0;
        }
        showBand(p);
        const bool yes =
            state_.silentSubModelChange ||
            dialogs_.ask(state_.text(Text::MessageTitle), state_.text(Text::SubModelQuestion),
                         MessageIcon::Exclamation);
        if (yes) {
            state_.bandLabelText = bandValueLabel->text().toStdString();
            actions_.switchSubModel(p);
        } else {
            bandValueLabel->setText(Q(state_.bandLabelText));
            restoring_ = true;
            subModelList->setCurrentIndex(state_.selectedSubModel);
            restoring_ = false;
        }
    }
    actions_.storeSettings();
    actions_.reformatBoxes();
}

} // namespace hx
