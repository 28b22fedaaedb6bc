#include "app/window/FunctionArea.h"

#include "app/window/Captions.h"
#include "app/window/Colours.h"

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
    setObjectName("fraFuncSet");
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
    std::tie(lblMoni, cboMoniSel) = row("lblMoni", "cboMoniSel", 0, 0);
    std::tie(lblTransTimer, cboTransTimeSel) = row("lblTransTimer", "cboTransTimeSel", 0, 2);
    std::tie(lblSql, cboSqlSel) = row("lblSql", "cboSqlSel", 1, 0);
    std::tie(lblSavePow, cboSavePowSel) = row("lblSavePow", "cboSavePowSel", 1, 2);
    std::tie(lblVoiceHint, cboVoiceHintSel) = row("lblVoiceHint", "cboVoiceHintSel", 2, 0);
    // The scan list is not stored anywhere; it stays out of sight.
    std::tie(lblFuncScan, cboScan) = row("lblFuncScan", "cboScan", 2, 2);
    lblFuncScan->hide();
    cboScan->hide();
    lblWideNarrow = new QLabel(this);
    lblWideNarrow->setObjectName("lblWideNarrow");
    cboWideNarrow = new QComboBox(this);
    cboWideNarrow->setObjectName("cboWideNarrow");
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
}

QComboBox* FunctionArea::list(FunctionSetting setting) const {
    switch (setting) {
    case FunctionSetting::MoniKey:
        return cboMoniSel;
    case FunctionSetting::TimeOut:
        return cboTransTimeSel;
    case FunctionSetting::Sql:
        return cboSqlSel;
    case FunctionSetting::BatSave:
        return cboSavePowSel;
    case FunctionSetting::ToneHint:
        return cboVoiceHintSel;
    case FunctionSetting::WideNarrow:
        return cboWideNarrow;
    }
    return nullptr;
}

void FunctionArea::applyTexts() {
    ApplyTexts(this, state_.language);
    PaintBackground(this, state_.colours.full);
    for (QLabel* l : {lblMoni, lblTransTimer, lblSql, lblSavePow, lblVoiceHint, lblFuncScan}) {
        ApplyTexts(l, state_.language);
        PaintBackground(l, state_.colours.full);
    }
}

void FunctionArea::fillLists() {
    const bool is7100 = state_.modelCode == 7100;
    QStringList squelch;
    for (int level = is7100 ? 1 : 0; level <= 9; ++level)
        squelch << QString::number(level);
    ReplaceItems(cboSqlSel, squelch);
    relabel();
}

void FunctionArea::relabel() {
    const auto t = [&](Text text) { return Q(state_.text(text)); };
    if (state_.modelCode == 7100)
        ReplaceItems(cboMoniSel, {t(Text::On), t(Text::Off)});
    else
        ReplaceItems(cboMoniSel, {t(Text::Off), t(Text::MonitorMomentary), t(Text::MonitorLock),
                                  t(Text::SquelchOffMomentary)});
    QStringList timeOut{t(Text::Off)};
    for (int n = 1; n <= 10; ++n)
        timeOut << QString::number(30 * n);
    ReplaceItems(cboTransTimeSel, timeOut);
    ReplaceItems(cboVoiceHintSel, {t(Text::On), t(Text::Off)});
    ReplaceItems(cboSavePowSel, {t(Text::On), t(Text::Off)});
    ReplaceItems(cboScan, {t(Text::TimeControl), t(Text::CarrierControl)});
    ReplaceItems(cboWideNarrow, {t(Text::Wide), t(Text::Narrow)});
}

void FunctionArea::showFunctions(const FunctionPositions& positions) {
    for (int i = 0; i < kFunctionSettingCount; ++i) {
        const auto setting = static_cast<FunctionSetting>(i);
        QComboBox* box = list(setting);
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
