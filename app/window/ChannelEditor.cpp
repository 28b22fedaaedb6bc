#include "app/window/ChannelEditor.h"

#include "app/window/Captions.h"
#include "app/window/Colours.h"
#include "app/window/FunctionArea.h"
#include "codeplug/Frequency.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>

namespace hx {
namespace {

std::optional<double> FrequencyIn(const QLineEdit* box) {
    return ParseFrequencyText(box->text().toStdString());
}

// The window losing the focus, or a menu or pop-up taking it for a while, is no
// move to another control: the entry stays as typed until the user leaves it.
bool LeftForAnotherControl(const QFocusEvent* event) {
    switch (event->reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
        return false;
    default:
        return true;
    }
}

} // namespace

ChannelEditor::ChannelEditor(WindowState& state, ChannelTableView& table, UserDialogs& dialogs,
                             FunctionArea& functions, QWidget* parent)
    : QGroupBox(parent), state_(state), table_(table), dialogs_(dialogs) {
    setObjectName("fraFreSet");
    auto* grid = new QGridLayout(this);
    const auto label = [&](const char* name, int row, int column) {
        auto* l = new QLabel(this);
        l->setObjectName(name);
        grid->addWidget(l, row, column);
        captioned_ << l;
        return l;
    };
    const auto named = [&](auto* widget, const char* name) {
        widget->setObjectName(name);
        return widget;
    };
    label("lblCh", 0, 0);
    cboChSel = named(new QComboBox(this), "cboChSel");
    for (int c = 1; c <= kChannelCount; ++c)
        cboChSel->addItem(QString::number(c));
    vsbSelCH = named(new QScrollBar(Qt::Vertical, this), "vsbSelCH");
    vsbSelCH->setRange(0, kChannelCount + 1); // 0 and 17 only wrap around
    vsbSelCH->setValue(1);
    vsbSelCH->setFixedHeight(cboChSel->sizeHint().height());
    auto* channelRow = new QHBoxLayout;
    channelRow->addWidget(cboChSel, 1);
    channelRow->addWidget(vsbSelCH);
    grid->addLayout(channelRow, 0, 1);

    label("lblReceFre", 1, 0);
    txtReceFre = named(new QLineEdit(this), "txtReceFre");
    grid->addWidget(txtReceFre, 1, 1);
    label("lblReceQT", 1, 2);
    cboReceQTSel = named(new QComboBox(this), "cboReceQTSel");
    grid->addWidget(cboReceQTSel, 1, 3);
    label("lblTransFre", 2, 0);
    txtTransFre = named(new QLineEdit(this), "txtTransFre");
    grid->addWidget(txtTransFre, 2, 1);
    label("lblTransQT", 2, 2);
    cboTransQTSel = named(new QComboBox(this), "cboTransQTSel");
    grid->addWidget(cboTransQTSel, 2, 3);

    lblForbidTrans = named(new ClickableLabel(this), "lblForbidTrans");
    grid->addWidget(lblForbidTrans, 3, 0);
    captioned_ << lblForbidTrans;
    chkForbidTrans = named(new QCheckBox(this), "chkForbidTrans");
    grid->addWidget(chkForbidTrans, 3, 1);
    label("lblShift", 3, 2);
    chkShift = named(new QCheckBox(this), "chkShift");
    grid->addWidget(chkShift, 3, 3);

    grid->addWidget(functions.lblWideNarrow, 4, 0);
    grid->addWidget(functions.cboWideNarrow, 4, 1);
    captioned_ << functions.lblWideNarrow;

    // Power and scan are not stored in the radio image; they stay out of sight.
    label("lblTransPower", 5, 0)->hide();
    cboTransPower = named(new QComboBox(this), "cboTransPower");
    cboTransPower->hide();
    label("lblScan", 5, 2)->hide();
    chkScan = named(new QCheckBox(this), "chkScan");
    chkScan->hide();

    chkFreReceEquTrans = named(new QCheckBox(this), "chkFreReceEquTrans");
    grid->addWidget(chkFreReceEquTrans, 6, 0, 1, 2);
    chkDeteChanData = named(new QCheckBox(this), "chkDeteChanData");
    grid->addWidget(chkDeteChanData, 6, 2, 1, 2);
    cmdConfirm = named(new QPushButton(this), "cmdConfirm");
    cmdConfirm->setAutoDefault(true); // Return presses it when it has the focus, as Space does
    grid->addWidget(cmdConfirm, 7, 3);
    captioned_ << chkFreReceEquTrans << chkDeteChanData << cmdConfirm;
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    for (QLineEdit* box : {txtReceFre, txtTransFre})
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance("0000.000000"));
    txtReceFre->installEventFilter(this);
    txtTransFre->installEventFilter(this);
    cboReceQTSel->installEventFilter(this);
    cboTransQTSel->installEventFilter(this);
    connect(txtReceFre, &QLineEdit::textChanged, this, &ChannelEditor::txtReceFre_Change);
    connect(txtTransFre, &QLineEdit::textChanged, this, &ChannelEditor::txtTransFre_Change);
    connect(cboChSel, &QComboBox::currentIndexChanged, this, &ChannelEditor::cboChSel_Click);
    connect(vsbSelCH, &QScrollBar::valueChanged, this, &ChannelEditor::vsbSelCH_Change);
    connect(chkFreReceEquTrans, &QCheckBox::clicked, this,
            &ChannelEditor::chkFreReceEquTrans_Click);
    connect(chkDeteChanData, &QCheckBox::clicked, this, &ChannelEditor::chkDeteChanData_Click);
    connect(cmdConfirm, &QPushButton::clicked, this, &ChannelEditor::cmdConfirm_Click);
    connect(lblForbidTrans, &ClickableLabel::clicked, this, [this] {
        if (!chkForbidTrans->isEnabled())
            return;
        chkForbidTrans->setChecked(!chkForbidTrans->isChecked());
        cmdConfirm->setFocus();
    });
}

void ChannelEditor::fillToneLists() {
    QStringList items;
    for (const auto& item : state_.model.tones.ListItems(state_.language))
        items << Q(item);
    ReplaceItems(cboReceQTSel, items);
    ReplaceItems(cboTransQTSel, items);
}

void ChannelEditor::relabel() {
    for (QComboBox* list : {cboReceQTSel, cboTransQTSel})
        if (list->count() > 0)
            list->setItemText(0, Q(state_.text(Text::NoTone)));
    ReplaceItems(cboTransPower, {Q(state_.text(Text::High)), Q(state_.text(Text::Low))});
}

void ChannelEditor::applyTexts() {
    ApplyTexts(this, state_.language);
    PaintBackground(this, state_.colours.full);
    for (QWidget* w : captioned_) {
        ApplyTexts(w, state_.language);
        PaintBackground(w, state_.colours.full);
    }
    for (QCheckBox* box : {chkForbidTrans, chkShift, chkScan})
        PaintBackground(box, state_.colours.full);
    relabel();
}

void ChannelEditor::setIdle() {
    for (QComboBox* list : {cboTransQTSel, cboReceQTSel, cboChSel})
        list->setCurrentIndex(0);
    for (QComboBox* list : {cboReceQTSel, cboTransQTSel}) {
        list->setCurrentIndex(-1);
        list->setEnabled(false);
    }
    for (QCheckBox* box : {chkForbidTrans, chkShift, chkScan}) {
        box->setChecked(false);
        box->setEnabled(false);
    }
    cboTransPower->setCurrentIndex(0);
    cboTransPower->setEnabled(false);
}

void ChannelEditor::clearBoxes() {
    txtReceFre->clear();
    txtTransFre->clear();
}

void ChannelEditor::reformatBoxes() {
    for (QLineEdit* box : {txtReceFre, txtTransFre})
        if (const auto f = FrequencyIn(box))
            box->setText(Q(FormatFrequency(Mhz{*f})));
}

// Typing decides what else may be set: no receive frequency, no channel options.
void ChannelEditor::txtReceFre_Change() {
    if (!FrequencyIn(txtReceFre)) {
        if (!txtReceFre->text().isEmpty())
            txtReceFre->clear(); // runs this handler again on the empty text
        cboReceQTSel->setCurrentIndex(-1);
        cboReceQTSel->setEnabled(false);
        for (QCheckBox* box : {chkForbidTrans, chkShift, chkScan}) {
            box->setEnabled(false);
            box->setChecked(false);
        }
        cboTransPower->setCurrentIndex(-1);
        cboTransPower->setEnabled(false);
        return;
    }
    if (cboReceQTSel->currentIndex() < 0)
        cboReceQTSel->setCurrentIndex(0);
    cboReceQTSel->setEnabled(true);
    chkForbidTrans->setEnabled(true);
    chkShift->setEnabled(true);
    chkShift->setChecked(false);
    cboTransPower->setCurrentIndex(0);
    cboTransPower->setEnabled(true);
    chkScan->setEnabled(true);
    chkScan->setChecked(false);
}

void ChannelEditor::txtTransFre_Change() {
    if (!FrequencyIn(txtTransFre)) {
        if (!txtTransFre->text().isEmpty())
            txtTransFre->clear();
        cboTransQTSel->setCurrentIndex(-1);
        cboTransQTSel->setEnabled(false);
        return;
    }
    cboTransQTSel->setEnabled(true);
    if (cboTransQTSel->currentIndex() < 0)
        cboTransQTSel->setCurrentIndex(0);
}

bool ChannelEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut &&
        LeftForAnotherControl(static_cast<QFocusEvent*>(event))) {
        if (watched == txtReceFre)
            lostFocus(txtReceFre, FrequencyBox::Receive);
        else if (watched == txtTransFre)
            lostFocus(txtTransFre, FrequencyBox::Transmit);
    } else if (event->type() == QEvent::FocusIn) {
        // Each tone list starts from the other one's tone.
        if (watched == cboReceQTSel && cboTransQTSel->currentIndex() >= 0)
            cboReceQTSel->setCurrentIndex(cboTransQTSel->currentIndex());
        else if (watched == cboTransQTSel && cboReceQTSel->currentIndex() >= 0)
            cboTransQTSel->setCurrentIndex(cboReceQTSel->currentIndex());
    }
    return QGroupBox::eventFilter(watched, event);
}

void ChannelEditor::apply(QLineEdit* box, const FrequencyCheck& check) {
    if (box->text() != Q(check.text))
        box->setText(Q(check.text));
    if (!check.message.empty())
        dialogs_.tell(state_.text(Text::MessageTitle), check.message, MessageIcon::Critical);
    if (check.colour == TextColour::Normal)
        PaintText(box, state_.colours.black);
    else if (check.colour == TextColour::Hint)
        PaintText(box, state_.colours.hint);
    if (check.focusBack)
        box->setFocus();
}

void ChannelEditor::lostFocus(QLineEdit* box, FrequencyBox which) {
    if (state_.valLegal) {
        apply(box, DetValLegal(box->text().toStdString(), which, state_.band(),
                               state_.overFreFontOn(), state_.language));
        return;
    }
    if (box->text().isEmpty())
        return;
    const UncheckedEntry entry = NormaliseUncheckedEntry(box->text().toStdString(), state_.band());
    if (entry.replacedByLowEdge)
        rxOutOfRange_ = txOutOfRange_ = false; // the range marking is off
    box->setText(Q(entry.text));
}

void ChannelEditor::JudgeFreRange() {
    const RangeJudgement j =
        hx::JudgeFreRange(txtReceFre->text().toStdString(), txtTransFre->text().toStdString(),
                          state_.band(), state_.valLegal, state_.overFreFontOn(), state_.language);
    rxOutOfRange_ = j.rxOutOfRange;
    txOutOfRange_ = j.txOutOfRange;
    if (!state_.valLegal)
        return;
    apply(txtTransFre, j.transmit);
    apply(txtReceFre, j.receive);
}

void ChannelEditor::ChAccord(int channel) {
    if (channel < 0 || channel >= kChannelCount)
        return;
    const auto& table = state_.plug.channels;
    const auto frequencyText = [&](Field f) {
        const double v = table.value(channel, f);
        return v == EmptyValue ? QString() : Q(FormatFrequency(Mhz{v}));
    };
    txtReceFre->setText(frequencyText(Field::RxFrequency));
    txtTransFre->setText(frequencyText(Field::TxFrequency));
    cboReceQTSel->setCurrentIndex(static_cast<int>(table.value(channel, Field::RxTone)));
    cboTransQTSel->setCurrentIndex(static_cast<int>(table.value(channel, Field::TxTone)));
    const auto setSwitch = [&](QCheckBox* box, Field f) {
        const double v = table.value(channel, f);
        box->setEnabled(v != EmptyValue);
        box->setChecked(v == 1);
    };
    setSwitch(chkForbidTrans, Field::BusyLockout);
    setSwitch(chkShift, Field::Shift);
}

void ChannelEditor::ChannelEdit() {
    bool ok = false;
    const int row = cboChSel->currentText().toInt(&ok) - 1;
    if (!ok)
        return;
    state_.selectedRow = row;
    ChAccord(row);
}

void ChannelEditor::cboChSel_Click() {
    state_.currentChannel = cboChSel->currentIndex();
    vsbSelCH->setValue(state_.currentChannel + 1);
    state_.selectedRow = state_.currentChannel;
    ChannelEdit();
    JudgeFreRange();
}

void ChannelEditor::vsbSelCH_Change(int value) {
    if (value == 0) {
        vsbSelCH->setValue(kChannelCount);
        return;
    }
    if (value == kChannelCount + 1) {
        vsbSelCH->setValue(1);
        return;
    }
    cboChSel->setCurrentIndex(value - 1);
    state_.currentChannel = cboChSel->currentIndex();
    if (state_.readyForFocus)
        txtReceFre->setFocus();
    JudgeFreRange();
}

void ChannelEditor::selectChannelFromTable(int channel) {
    state_.readyForFocus = false;
    state_.selectedRow = channel;
    cboChSel->setCurrentIndex(channel);
    state_.currentChannel = channel;
    vsbSelCH->setValue(channel + 1);
    ChAccord(channel);
    state_.readyForFocus = true;
}

void ChannelEditor::chkFreReceEquTrans_Click() {
    if (!chkFreReceEquTrans->isChecked())
        return;
    if (txtReceFre->text().isEmpty() || !txtTransFre->text().isEmpty())
        txtReceFre->setText(txtTransFre->text());
    else
        txtTransFre->setText(txtReceFre->text());
}

void ChannelEditor::chkDeteChanData_Click() {
    if (chkDeteChanData->isChecked() &&
        dialogs_.ask(state_.text(Text::MessageTitle), state_.text(Text::DeleteAllQuestion),
                     MessageIcon::Question))
        DeleteAllChData();
    chkDeteChanData->setChecked(false);
}

void ChannelEditor::storeFrequency(QLineEdit* box, Field field, bool outOfRange) {
    const int c = state_.currentChannel;
    state_.plug.channels.setValue(c, field, FrequencyIn(box).value_or(EmptyValue));
    table_.setCellText(field, c, box->text().toStdString());
    table_.paintTextColour(field, c,
                           state_.overFreFontOn() && outOfRange ? state_.colours.hint
                                                                : state_.colours.black);
}

void ChannelEditor::cmdConfirm_Click() {
    const int c = state_.currentChannel;
    if (c < 0 || c >= kChannelCount)
        return;
    if (state_.overFreFontOn()) {
        JudgeFreRange();
    } else {
        for (auto [box, which] : {std::pair{txtReceFre, FrequencyBox::Receive},
                                  std::pair{txtTransFre, FrequencyBox::Transmit}})
            apply(box, DetValLegal(box->text().toStdString(), which, state_.band(), false,
                                   state_.language));
    }
    auto& table = state_.plug.channels;
    if (txtReceFre->text().isEmpty()) {
        table.clearChannel(c);
        table_.clearChannelCells(c);
        table_.paintRow(c, state_.colours.text);
        for (int f = 0; f < kFieldCount; ++f)
            table_.paintTextColour(static_cast<Field>(f), c, state_.colours.black);
        state_.plug.modified = true;
        return;
    }
    const BandContext band = state_.band();
    for (QLineEdit* box : {txtReceFre, txtTransFre}) {
        const auto f = FrequencyIn(box);
        if (f && (*f < kLowestPlausibleMhz || *f >= kHighestPlausibleMhz)) {
            box->setText(Q(band.lowEdge));
            JudgeFreRange();
        }
    }
    if (const auto edges = BandFromEdges(band.lowEdge, band.highEdge)) {
        for (QLineEdit* box : {txtReceFre, txtTransFre})
            if (const auto f = FrequencyIn(box))
                box->setText(Q(FormatFrequency(edges->snap(Mhz{*f}))));
    }
    table_.paintRow(c, state_.colours.textText);
    storeFrequency(txtReceFre, Field::RxFrequency, rxOutOfRange_);
    storeFrequency(txtTransFre, Field::TxFrequency, txOutOfRange_);
    table.setValue(c, Field::RxTone, cboReceQTSel->currentIndex());
    table_.setCellText(Field::RxTone, c, cboReceQTSel->currentText().toStdString());
    table.setValue(c, Field::TxTone, cboTransQTSel->currentIndex());
    table_.setCellText(Field::TxTone, c, cboTransQTSel->currentText().toStdString());
    const auto storeSwitch = [&](QCheckBox* box, Field f) {
        table.setValue(c, f, box->isChecked() ? 1 : 0);
        table_.setCellText(f, c, state_.text(box->isChecked() ? Text::Yes : Text::No));
    };
    storeSwitch(chkForbidTrans, Field::BusyLockout);
    storeSwitch(chkShift, Field::Shift);
    state_.plug.modified = true;
}

void ChannelEditor::DeleteAllChData() {
    clearBoxes();
    for (QComboBox* list : {cboReceQTSel, cboTransQTSel, cboTransPower})
        list->setCurrentIndex(-1);
    table_.clearAllCells();
    state_.plug.channels.clear();
    table_.InitSignalBG();
    cboChSel->setCurrentIndex(0);
    txtReceFre->setFocus();
}

void ChannelEditor::mnuChannelData_Click() {
    const int c = state_.currentChannel;
    state_.plug.channels.clearChannel(c);
    table_.clearChannelCells(c);
    table_.paintRow(c, state_.colours.text);
    state_.currentChannel = state_.selectedRow;
    ChAccord(state_.selectedRow);
}

void ChannelEditor::ChInfoColor() {
    if (!state_.overFreFontOn())
        return;
    const int remembered = cboChSel->currentIndex();
    for (int c = 0; c < kChannelCount; ++c) {
        txtReceFre->setText(table_.cell(Field::RxFrequency, c)->text());
        txtTransFre->setText(table_.cell(Field::TxFrequency, c)->text());
        JudgeFreRange();
        table_.paintTextColour(Field::RxFrequency, c,
                               rxOutOfRange_ ? state_.colours.hint : state_.colours.black);
        table_.paintTextColour(Field::TxFrequency, c,
                               txOutOfRange_ ? state_.colours.hint : state_.colours.black);
    }
    cboChSel->setCurrentIndex(remembered);
    ChAccord(remembered);
}

} // namespace hx
