#include "gui/window/ChannelEditor.h"

#include "core/codeplug/Frequency.h"
#include "gui/style/Captions.h"
#include "gui/style/Colours.h"
#include "gui/window/FunctionArea.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QKeyEvent>
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

ChannelEditor::ChannelEditor(WindowState& state, const ChannelTableModel& channels,
                             PlugDocument& document, UserDialogs& dialogs, FunctionArea& functions,
                             QWidget* parent)
    : QGroupBox(parent), state_(state), wideNarrowList_(functions.wideNarrowList),
      channels_(channels), document_(document), dialogs_(dialogs) {
    setObjectName("channelEditor");
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
    label("channelLabel", 0, 0);
    channelList = named(new QComboBox(this), "channelList");
    for (int c = 1; c <= kChannelCount; ++c)
        channelList->addItem(QString::number(c));
    channelScrollBar = named(new QScrollBar(Qt::Vertical, this), "channelScrollBar");
    channelScrollBar->setRange(0, kChannelCount + 1); // 0 and 17 only wrap around
    channelScrollBar->setValue(1);
    channelScrollBar->setFixedHeight(channelList->sizeHint().height());
    auto* channelRow = new QHBoxLayout;
    channelRow->addWidget(channelList, 1);
    channelRow->addWidget(channelScrollBar);
    grid->addLayout(channelRow, 0, 1);

    label("receiveFrequencyLabel", 1, 0);
    receiveFrequencyBox = named(new QLineEdit(this), "receiveFrequencyBox");
    grid->addWidget(receiveFrequencyBox, 1, 1);
    label("decodeToneLabel", 1, 2);
    decodeToneList = named(new QComboBox(this), "decodeToneList");
    grid->addWidget(decodeToneList, 1, 3);
    label("transmitFrequencyLabel", 2, 0);
    transmitFrequencyBox = named(new QLineEdit(this), "transmitFrequencyBox");
    grid->addWidget(transmitFrequencyBox, 2, 1);
    label("encodeToneLabel", 2, 2);
    encodeToneList = named(new QComboBox(this), "encodeToneList");
    grid->addWidget(encodeToneList, 2, 3);

    busyLockoutLabel = named(new ClickableLabel(this), "busyLockoutLabel");
    grid->addWidget(busyLockoutLabel, 3, 0);
    captioned_ << busyLockoutLabel;
    busyLockoutBox = named(new QCheckBox(this), "busyLockoutBox");
    grid->addWidget(busyLockoutBox, 3, 1);
    label("shiftLabel", 3, 2);
    shiftBox = named(new QCheckBox(this), "shiftBox");
    grid->addWidget(shiftBox, 3, 3);

    grid->addWidget(functions.wideNarrowLabel, 4, 0);
    grid->addWidget(functions.wideNarrowList, 4, 1);
    captioned_ << functions.wideNarrowLabel;

    // Power and scan are not stored in the radio image; they stay out of sight.
    label("transmitPowerLabel", 5, 0)->hide();
    transmitPowerList = named(new QComboBox(this), "transmitPowerList");
    transmitPowerList->hide();
    label("scanLabel", 5, 2)->hide();
    scanBox = named(new QCheckBox(this), "scanBox");
    scanBox->hide();

    txEqualsRxBox = named(new QCheckBox(this), "txEqualsRxBox");
    grid->addWidget(txEqualsRxBox, 6, 0, 1, 2);
    deleteAllChannelsBox = named(new QCheckBox(this), "deleteAllChannelsBox");
    grid->addWidget(deleteAllChannelsBox, 6, 2, 1, 2);
    okButton = named(new QPushButton(this), "okButton");
    okButton->setAutoDefault(true); // Return presses it when it has the focus, as Space does
    grid->addWidget(okButton, 7, 3);
    captioned_ << txEqualsRxBox << deleteAllChannelsBox << okButton;
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    for (QLineEdit* box : {receiveFrequencyBox, transmitFrequencyBox})
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance("0000.000000"));
    receiveFrequencyBox->installEventFilter(this);
    transmitFrequencyBox->installEventFilter(this);
    decodeToneList->installEventFilter(this);
    encodeToneList->installEventFilter(this);
    connect(receiveFrequencyBox, &QLineEdit::textChanged, this,
            &ChannelEditor::receiveFrequencyEdited);
    connect(transmitFrequencyBox, &QLineEdit::textChanged, this,
            &ChannelEditor::transmitFrequencyEdited);
    connect(channelList, &QComboBox::currentIndexChanged, this, &ChannelEditor::channelChosen);
    connect(channelList, &QComboBox::currentIndexChanged, this, &ChannelEditor::channelSelected);
    connect(channelScrollBar, &QScrollBar::valueChanged, this, &ChannelEditor::channelScrolled);
    connect(txEqualsRxBox, &QCheckBox::clicked, this, &ChannelEditor::txEqualsRxClicked);
    connect(deleteAllChannelsBox, &QCheckBox::clicked, this,
            &ChannelEditor::deleteAllChannelsClicked);
    connect(okButton, &QPushButton::clicked, this, &ChannelEditor::storeChannel);
    connect(busyLockoutLabel, &ClickableLabel::clicked, this, [this] {
        if (!busyLockoutBox->isEnabled())
            return;
        busyLockoutBox->setChecked(!busyLockoutBox->isChecked());
        okButton->setFocus();
    });
}

QList<QWidget*> ChannelEditor::keyboardOrder() const {
    return {channelList,    receiveFrequencyBox,  decodeToneList, transmitFrequencyBox,
            encodeToneList, busyLockoutBox,       shiftBox,       wideNarrowList_,
            txEqualsRxBox,  deleteAllChannelsBox, okButton};
}

void ChannelEditor::fillToneLists() {
    QStringList items;
    for (const auto& item : state_.model.tones.listItems(state_.language))
        items << Q(item);
    ReplaceItems(decodeToneList, items);
    ReplaceItems(encodeToneList, items);
}

void ChannelEditor::relabel() {
    for (QComboBox* list : {decodeToneList, encodeToneList})
        if (list->count() > 0)
            list->setItemText(0, Q(state_.text(Text::NoTone)));
    ReplaceItems(transmitPowerList, {Q(state_.text(Text::High)), Q(state_.text(Text::Low))});
}

void ChannelEditor::applyTexts() {
    ApplyTexts(this, state_.language);
    PaintBackground(this, state_.colours.full);
    for (QWidget* w : captioned_) {
        ApplyTexts(w, state_.language);
        PaintBackground(w, state_.colours.full);
    }
    for (QCheckBox* box : {busyLockoutBox, shiftBox, scanBox})
        PaintBackground(box, state_.colours.full);
    relabel();
}

void ChannelEditor::setIdle() {
    for (QComboBox* list : {encodeToneList, decodeToneList, channelList})
        list->setCurrentIndex(0);
    for (QComboBox* list : {decodeToneList, encodeToneList}) {
        list->setCurrentIndex(-1);
        list->setEnabled(false);
    }
    for (QCheckBox* box : {busyLockoutBox, shiftBox, scanBox}) {
        box->setChecked(false);
        box->setEnabled(false);
    }
    transmitPowerList->setCurrentIndex(0);
    transmitPowerList->setEnabled(false);
}

void ChannelEditor::clearBoxes() {
    receiveFrequencyBox->clear();
    transmitFrequencyBox->clear();
}

void ChannelEditor::reformatBoxes() {
    for (QLineEdit* box : {receiveFrequencyBox, transmitFrequencyBox})
        if (const auto f = FrequencyIn(box))
            box->setText(Q(FormatFrequency(Mhz{*f})));
}

// Typing decides what else may be set: no receive frequency, no channel options.
void ChannelEditor::receiveFrequencyEdited() {
    if (!FrequencyIn(receiveFrequencyBox)) {
        if (!receiveFrequencyBox->text().isEmpty())
            receiveFrequencyBox->clear(); // runs this handler again on the empty text
        decodeToneList->setCurrentIndex(-1);
        decodeToneList->setEnabled(false);
        for (QCheckBox* box : {busyLockoutBox, shiftBox, scanBox}) {
            box->setEnabled(false);
            box->setChecked(false);
        }
        transmitPowerList->setCurrentIndex(-1);
        transmitPowerList->setEnabled(false);
        return;
    }
    if (decodeToneList->currentIndex() < 0)
        decodeToneList->setCurrentIndex(0);
    decodeToneList->setEnabled(true);
    busyLockoutBox->setEnabled(true);
    shiftBox->setEnabled(true);
    shiftBox->setChecked(false);
    transmitPowerList->setCurrentIndex(0);
    transmitPowerList->setEnabled(true);
    scanBox->setEnabled(true);
    scanBox->setChecked(false);
}

void ChannelEditor::transmitFrequencyEdited() {
    if (!FrequencyIn(transmitFrequencyBox)) {
        if (!transmitFrequencyBox->text().isEmpty())
            transmitFrequencyBox->clear();
        encodeToneList->setCurrentIndex(-1);
        encodeToneList->setEnabled(false);
        return;
    }
    encodeToneList->setEnabled(true);
    if (encodeToneList->currentIndex() < 0)
        encodeToneList->setCurrentIndex(0);
}

bool ChannelEditor::boxTakesUndo(const QLineEdit* box) const {
    const Field field = box == receiveFrequencyBox ? Field::RxFrequency : Field::TxFrequency;
    return box->isUndoAvailable() &&
           box->text() != Q(channels_.cellText(state_.currentChannel, field));
}

bool ChannelEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        (watched == receiveFrequencyBox || watched == transmitFrequencyBox)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool undoKey = key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
                             key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y);
        // Not taken by the box, the key goes on to the window's Undo and Redo.
        if (undoKey && !boxTakesUndo(static_cast<QLineEdit*>(watched)))
            return true;
    }
    if (event->type() == QEvent::FocusOut &&
        LeftForAnotherControl(static_cast<QFocusEvent*>(event))) {
        if (watched == receiveFrequencyBox)
            lostFocus(receiveFrequencyBox, FrequencyBox::Receive);
        else if (watched == transmitFrequencyBox)
            lostFocus(transmitFrequencyBox, FrequencyBox::Transmit);
    } else if (event->type() == QEvent::FocusIn) {
        // Each tone list starts from the other one's tone.
        if (watched == decodeToneList && encodeToneList->currentIndex() >= 0)
            decodeToneList->setCurrentIndex(encodeToneList->currentIndex());
        else if (watched == encodeToneList && decodeToneList->currentIndex() >= 0)
            encodeToneList->setCurrentIndex(decodeToneList->currentIndex());
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
    if (state_.bandCheckOn) {
        apply(box, CheckFrequencyEntry(box->text().toStdString(), which, state_.band(),
                                       state_.marksOutOfBand, state_.language));
        return;
    }
    if (box->text().isEmpty())
        return;
    box->setText(Q(NormaliseUncheckedEntry(box->text().toStdString(), state_.band()).text));
}

void ChannelEditor::judgeFrequencyRanges() {
    const RangeJudgement j = hx::JudgeFrequencyRanges(
        receiveFrequencyBox->text().toStdString(), transmitFrequencyBox->text().toStdString(),
        state_.band(), state_.bandCheckOn, state_.marksOutOfBand, state_.language);
    if (!state_.bandCheckOn)
        return;
    apply(transmitFrequencyBox, j.transmit);
    apply(receiveFrequencyBox, j.receive);
}

void ChannelEditor::showChannel(int channel) {
    if (channel < 0 || channel >= kChannelCount)
        return;
    const auto& table = state_.plug.channels;
    const auto frequencyText = [&](Field f) { return Q(channels_.cellText(channel, f)); };
    receiveFrequencyBox->setText(frequencyText(Field::RxFrequency));
    transmitFrequencyBox->setText(frequencyText(Field::TxFrequency));
    decodeToneList->setCurrentIndex(static_cast<int>(table.value(channel, Field::RxTone)));
    encodeToneList->setCurrentIndex(static_cast<int>(table.value(channel, Field::TxTone)));
    const auto setSwitch = [&](QCheckBox* box, Field f) {
        const double v = table.value(channel, f);
        box->setEnabled(v != EmptyValue);
        box->setChecked(v == 1);
    };
    setSwitch(busyLockoutBox, Field::BusyLockout);
    setSwitch(shiftBox, Field::Shift);
}

void ChannelEditor::showSelectedChannel() {
    bool ok = false;
    const int row = channelList->currentText().toInt(&ok) - 1;
    if (!ok)
        return;
    state_.selectedRow = row;
    showChannel(row);
}

void ChannelEditor::channelChosen() {
    state_.currentChannel = channelList->currentIndex();
    channelScrollBar->setValue(state_.currentChannel + 1);
    state_.selectedRow = state_.currentChannel;
    showSelectedChannel();
    judgeFrequencyRanges();
}

void ChannelEditor::channelScrolled(int value) {
    if (value == 0) {
        channelScrollBar->setValue(kChannelCount);
        return;
    }
    if (value == kChannelCount + 1) {
        channelScrollBar->setValue(1);
        return;
    }
    channelList->setCurrentIndex(value - 1);
    state_.currentChannel = channelList->currentIndex();
    if (state_.readyForFocus)
        receiveFrequencyBox->setFocus();
    judgeFrequencyRanges();
}

void ChannelEditor::selectChannelFromTable(int channel) {
    state_.readyForFocus = false;
    state_.selectedRow = channel;
    channelList->setCurrentIndex(channel);
    state_.currentChannel = channel;
    channelScrollBar->setValue(channel + 1);
    showChannel(channel);
    state_.readyForFocus = true;
}

void ChannelEditor::txEqualsRxClicked() {
    if (!txEqualsRxBox->isChecked())
        return;
    if (receiveFrequencyBox->text().isEmpty() || !transmitFrequencyBox->text().isEmpty())
        receiveFrequencyBox->setText(transmitFrequencyBox->text());
    else
        transmitFrequencyBox->setText(receiveFrequencyBox->text());
}

void ChannelEditor::deleteAllChannelsClicked() {
    if (deleteAllChannelsBox->isChecked() &&
        dialogs_.ask(state_.text(Text::MessageTitle), state_.text(Text::DeleteAllQuestion),
                     MessageIcon::Question))
        deleteAllChannels();
    deleteAllChannelsBox->setChecked(false);
}

void ChannelEditor::storeChannel() {
    const int c = state_.currentChannel;
    if (c < 0 || c >= kChannelCount)
        return;
    if (state_.marksOutOfBand) {
        judgeFrequencyRanges();
    } else {
        for (auto [box, which] : {std::pair{receiveFrequencyBox, FrequencyBox::Receive},
                                  std::pair{transmitFrequencyBox, FrequencyBox::Transmit}})
            apply(box, CheckFrequencyEntry(box->text().toStdString(), which, state_.band(), false,
                                           state_.language));
    }
    PlugSnapshot after = document_.current();
    auto& table = after.channels;
    if (receiveFrequencyBox->text().isEmpty()) {
        table.clearChannel(c);
    } else {
        const BandContext band = state_.band();
        for (QLineEdit* box : {receiveFrequencyBox, transmitFrequencyBox}) {
            const auto f = FrequencyIn(box);
            if (f && (*f < kLowestPlausibleMhz || *f >= kHighestPlausibleMhz)) {
                box->setText(Q(band.lowEdge));
                judgeFrequencyRanges();
            }
        }
        if (const auto edges = BandFromEdges(band.lowEdge, band.highEdge)) {
            for (QLineEdit* box : {receiveFrequencyBox, transmitFrequencyBox})
                if (const auto f = FrequencyIn(box))
                    box->setText(Q(FormatFrequency(edges->snap(Mhz{*f}))));
        }
        table.setValue(c, Field::RxFrequency,
                       FrequencyIn(receiveFrequencyBox).value_or(EmptyValue));
        table.setValue(c, Field::TxFrequency,
                       FrequencyIn(transmitFrequencyBox).value_or(EmptyValue));
        table.setValue(c, Field::RxTone, decodeToneList->currentIndex());
        table.setValue(c, Field::TxTone, encodeToneList->currentIndex());
        table.setValue(c, Field::BusyLockout, busyLockoutBox->isChecked() ? 1 : 0);
        table.setValue(c, Field::Shift, shiftBox->isChecked() ? 1 : 0);
    }
    document_.apply(EditKind::StoreChannel, 1, after);
}

void ChannelEditor::deleteAllChannels() {
    clearBoxes();
    for (QComboBox* list : {decodeToneList, encodeToneList, transmitPowerList})
        list->setCurrentIndex(-1);
    PlugSnapshot after = document_.current();
    after.channels.clear();
    int inUse = 0;
    for (int c = 0; c < kChannelCount; ++c)
        inUse += state_.plug.channels.inUse(c) ? 1 : 0;
    document_.apply(EditKind::ClearAllChannels, inUse, after);
    channelList->setCurrentIndex(0);
    receiveFrequencyBox->setFocus();
}

void ChannelEditor::deleteCurrentChannel() {
    PlugSnapshot after = document_.current();
    after.channels.clearChannel(state_.currentChannel);
    document_.apply(EditKind::DeleteChannel, 1, after);
    state_.currentChannel = state_.selectedRow;
    showChannel(state_.selectedRow);
}

} // namespace hx
