#include "app/window/ModelArea.h"

#include "app/window/Captions.h"
#include "app/window/Colours.h"

#include <QHBoxLayout>

namespace hx {

ModelArea::ModelArea(WindowState& state, UserDialogs& dialogs, Actions actions, QWidget* parent)
    : QGroupBox(parent), state_(state), dialogs_(dialogs), actions_(std::move(actions)) {
    setObjectName("fraTypeSel");
    auto* row = new QHBoxLayout(this);
    lblType = new QLabel(this);
    lblType->setObjectName("lblType");
    cboTypeSel = new QComboBox(this);
    cboTypeSel->setObjectName("cboTypeSel");
    lblFre = new QLabel(this);
    lblFre->setObjectName("lblFre");
    lblFreVal = new QLabel(this);
    lblFreVal->setObjectName("lblFreVal");
    lblFreVal->setMinimumWidth(lblFreVal->fontMetrics().horizontalAdvance("000-000MHz"));
    row->addWidget(lblType);
    row->addWidget(cboTypeSel, 1);
    row->addSpacing(12);
    row->addWidget(lblFre);
    row->addWidget(lblFreVal, 1);
    connect(cboTypeSel, &QComboBox::currentIndexChanged, this, &ModelArea::cboTypeSel_Click);
}

void ModelArea::fillList() {
    const QSignalBlocker quiet(cboTypeSel);
    cboTypeSel->clear();
    for (int s = 0; s < state_.model.profile.subModelCount; ++s)
        cboTypeSel->addItem(Q(state_.model.profile.subModelName(s)));
    cboTypeSel->setCurrentIndex(-1);
}

void ModelArea::showBand(int position) {
    const auto& bands = state_.model.profile.bandTexts;
    if (position >= 0 && position < static_cast<int>(bands.size()))
        lblFreVal->setText(Q(bands[static_cast<std::size_t>(position)]));
}

void ModelArea::applyTexts() {
    ApplyTexts(this, state_.language);
    PaintBackground(this, state_.colours.full);
    for (QLabel* l : {lblType, lblFre, lblFreVal}) {
        ApplyTexts(l, state_.language);
        PaintBackground(l, state_.colours.full);
    }
    ApplyTexts(cboTypeSel, state_.language);
}

void ModelArea::cboTypeSel_Click() {
    if (restoring_)
        return;
    int p = cboTypeSel->currentIndex();
    if (p != state_.selectedSubModel) {
        if (p == -1 && cboTypeSel->count() > 0) {
            const QSignalBlocker quiet(cboTypeSel);
            cboTypeSel->setCurrentIndex(0);
            p = 0;
        }
        showBand(p);
        const bool yes =
            state_.silentSubModelChange ||
            dialogs_.ask(state_.text(Text::MessageTitle), state_.text(Text::SubModelQuestion),
                         MessageIcon::Exclamation);
        if (yes) {
            state_.bandLabelText = lblFreVal->text().toStdString();
            state_.selectedSubModel = p;
            actions_.resetCodePlug();
        } else {
            lblFreVal->setText(Q(state_.bandLabelText));
            restoring_ = true;
            cboTypeSel->setCurrentIndex(state_.selectedSubModel);
            restoring_ = false;
        }
    }
    actions_.storeSettings();
    actions_.reformatBoxes();
}

} // namespace hx
