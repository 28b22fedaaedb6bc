#include "gui/window/FunctionArea.h"

#include "core/codeplug/FunctionChoices.h"
#include "gui/style/Captions.h"
#include "gui/style/Colours.h"

#include <QGridLayout>

namespace hx {

void ReplaceItems(QComboBox* list, const QStringList& items) {
    const int position = list->currentIndex();
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItems(items);
    list->setCurrentIndex(position < list->count() ? position : -1);
}

FunctionArea::FunctionArea(WindowState& state, QWidget* parent) : QGroupBox(parent), state_(state) {
    setObjectName("functionArea");
    auto* grid = new QGridLayout(this);
    const auto row = [&](const char* labelName, const char* listName, int r, int column) {
        auto* label = new QLabel(this);
        label->setObjectName(labelName);
        auto* box = new QComboBox(this);
        box->setObjectName(listName);
        grid->addWidget(label, r, column);
        grid->addWidget(box, r, column + 1);
        return std::pair{label, box};
    };
    std::tie(monitorKeyLabel_, monitorKeyList_) = row("monitorKeyLabel", "monitorKeyList", 0, 0);
    std::tie(timeOutTimerLabel_, timeOutTimerList_) =
        row("timeOutTimerLabel", "timeOutTimerList", 0, 2);
    std::tie(squelchLevelLabel_, squelchLevelList_) =
        row("squelchLevelLabel", "squelchLevelList", 1, 0);
    std::tie(batterySaveLabel_, batterySaveList_) =
        row("batterySaveLabel", "batterySaveList", 1, 2);
    std::tie(beepToneLabel_, beepToneList_) = row("beepToneLabel", "beepToneList", 2, 0);
    // The scan list is not stored anywhere; it stays out of sight.
    std::tie(scanFunctionLabel_, scanFunctionList_) =
        row("scanFunctionLabel", "scanFunctionList", 2, 2);
    scanFunctionLabel_->hide();
    scanFunctionList_->hide();
    wideNarrowLabel_ = new QLabel(this);
    wideNarrowLabel_->setObjectName("wideNarrowLabel");
    wideNarrowList_ = new QComboBox(this);
    wideNarrowList_->setObjectName("wideNarrowList");
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    for (int i = 0; i < kFunctionSettingCount; ++i)
        connect(list(static_cast<FunctionSetting>(i)), &QComboBox::currentIndexChanged, this,
                &FunctionArea::functionsChanged);
}

QComboBox* FunctionArea::list(FunctionSetting setting) const {
    switch (setting) {
    case FunctionSetting::MonitorKey:
        return monitorKeyList_;
    case FunctionSetting::TimeOutTimer:
        return timeOutTimerList_;
    case FunctionSetting::SquelchLevel:
        return squelchLevelList_;
    case FunctionSetting::BatterySave:
        return batterySaveList_;
    case FunctionSetting::BeepTone:
        return beepToneList_;
    case FunctionSetting::WideNarrow:
        return wideNarrowList_;
    }
    return nullptr;
}

QList<QWidget*> FunctionArea::placeWideNarrow(QGridLayout& grid, int row) {
    grid.addWidget(wideNarrowLabel_, row, 0);
    grid.addWidget(wideNarrowList_, row, 1);
    return {wideNarrowList_};
}

QList<QWidget*> FunctionArea::keyboardOrder() const {
    return {monitorKeyList_, timeOutTimerList_, squelchLevelList_, batterySaveList_, beepToneList_};
}

void FunctionArea::applyTexts() {
    ApplyTexts(this, state_.language);
    PaintBackground(this, state_.colours.full);
    for (QLabel* l : {monitorKeyLabel_, timeOutTimerLabel_, squelchLevelLabel_, batterySaveLabel_,
                      beepToneLabel_, scanFunctionLabel_, wideNarrowLabel_}) {
        ApplyTexts(l, state_.language);
        PaintBackground(l, state_.colours.full);
    }
}

void FunctionArea::fillLists() {
    for (int i = 0; i < kFunctionSettingCount; ++i) {
        const auto setting = static_cast<FunctionSetting>(i);
        QStringList items;
        for (const auto& item : FunctionChoices(setting, state_.modelCode, state_.language))
            items << Q(item);
        ReplaceItems(list(setting), items);
    }
    ReplaceItems(scanFunctionList_,
                 {Q(state_.text(Text::TimeControl)), Q(state_.text(Text::CarrierControl))});
}

void FunctionArea::showFunctions(const FunctionPositions& positions) {
    for (int i = 0; i < kFunctionSettingCount; ++i) {
        const auto setting = static_cast<FunctionSetting>(i);
        QComboBox* box = list(setting);
        const QSignalBlocker quiet(box);
        const int p = positions[setting];
        // A stored position the list lacks leaves it without selection.
        box->setCurrentIndex(p >= 0 && p < box->count() ? p : -1);
    }
}

FunctionPositions FunctionArea::functions() const {
    FunctionPositions positions;
    for (int i = 0; i < kFunctionSettingCount; ++i) {
        const auto setting = static_cast<FunctionSetting>(i);
        positions[setting] = list(setting)->currentIndex();
    }
    return positions;
}

} // namespace hx
