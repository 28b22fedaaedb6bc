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
    : QGroupBox(parent), state_(state), channels_(channels), document_(document),
      dialogs_(dialogs) {
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
    channelList_ = named(new QComboBox(this), "channelList");
    for (int c = 1; c <= kChannelCount; ++c)
        channelList_->addItem(QString::number(c));
    channelScrollBar_ = named(new QScrollBar(Qt::Vertical, this), "channelScrollBar");
    channelScrollBar_->setRange(0, kChannelCount + 1); // 0 and 17 only wrap around
    channelScrollBar_->setValue(1);
    channelScrollBar_->setFixedHeight(channelList_->sizeHint().height());
    auto* channelRow = new QHBoxLayout;
    channelRow->addWidget(channelList_, 1);
    channelRow->addWidget(channelScrollBar_);
    grid->addLayout(channelRow, 0, 1);

    label("receiveFrequencyLabel", 1, 0);
    receiveFrequencyBox_ = named(new QLineEdit(this), "receiveFrequencyBox");
    grid->addWidget(receiveFrequencyBox_, 1, 1);
    label("decodeToneLabel", 1, 2);
    decodeToneList_ = named(new QComboBox(this), "decodeToneList");
    grid->addWidget(decodeToneList_, 1, 3);
    label("transmitFrequencyLabel", 2, 0);
    transmitFrequencyBox_ = named(new QLineEdit(this), "transmitFrequencyBox");
    grid->addWidget(transmitFrequencyBox_, 2, 1);
    label("encodeToneLabel", 2, 2);
    encodeToneList_ = named(new QComboBox(this), "encodeToneList");
    grid->addWidget(encodeToneList_, 2, 3);

    busyLockoutLabel_ = named(new ClickableLabel(this), "busyLockoutLabel");
    grid->addWidget(busyLockoutLabel_, 3, 0);
    captioned_ << busyLockoutLabel_;
    busyLockoutBox_ = named(new QCheckBox(this), "busyLockoutBox");
    grid->addWidget(busyLockoutBox_, 3, 1);
    label("shiftLabel", 3, 2);
    shiftBox_ = named(new QCheckBox(this), "shiftBox");
    grid->addWidget(shiftBox_, 3, 3);

    wideNarrowOrder_ = functions.placeWideNarrow(*grid, 4);

    // Power and scan are not stored in the radio image; they stay out of sight.
    label("transmitPowerLabel", 5, 0)->hide();
    transmitPowerList_ = named(new QComboBox(this), "transmitPowerList");
    transmitPowerList_->hide();
    label("scanLabel", 5, 2)->hide();
    scanBox_ = named(new QCheckBox(this), "scanBox");
    scanBox_->hide();

    txEqualsRxBox_ = named(new QCheckBox(this), "txEqualsRxBox");
    grid->addWidget(txEqualsRxBox_, 6, 0, 1, 2);
    deleteAllChannelsBox_ = named(new QCheckBox(this), "deleteAllChannelsBox");
    grid->addWidget(deleteAllChannelsBox_, 6, 2, 1, 2);
    okButton_ = named(new QPushButton(this), "okButton");
    okButton_->setAutoDefault(true); // Return presses it when it has the focus, as Space does
    grid->addWidget(okButton_, 7, 3);
    captioned_ << txEqualsRxBox_ << deleteAllChannelsBox_ << okButton_;
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    for (QLineEdit* box : {receiveFrequencyBox_, transmitFrequencyBox_})
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance("0000.000000"));
    receiveFrequencyBox_->installEventFilter(this);
    transmitFrequencyBox_->installEventFilter(this);
    decodeToneList_->installEventFilter(this);
    encodeToneList_->installEventFilter(this);
    connect(receiveFrequencyBox_, &QLineEdit::textChanged, this,
            &ChannelEditor::receiveFrequencyEdited);
    connect(transmitFrequencyBox_, &QLineEdit::textChanged, this,
            &ChannelEditor::transmitFrequencyEdited);
    connect(channelList_, &QComboBox::currentIndexChanged, this, &ChannelEditor::channelChosen);
    connect(channelList_, &QComboBox::currentIndexChanged, this, &ChannelEditor::channelSelected);
    connect(channelScrollBar_, &QScrollBar::valueChanged, this, &ChannelEditor::channelScrolled);
    connect(txEqualsRxBox_, &QCheckBox::clicked, this, &ChannelEditor::txEqualsRxClicked);
    connect(deleteAllChannelsBox_, &QCheckBox::clicked, this,
            &ChannelEditor::deleteAllChannelsClicked);
    connect(okButton_, &QPushButton::clicked, this, &ChannelEditor::storeChannel);
    connect(busyLockoutLabel_, &ClickableLabel::clicked, this, [this] {
        if (!busyLockoutBox_->isEnabled())
            return;
        busyLockoutBox_->setChecked(!busyLockoutBox_->isChecked());
        okButton_->setFocus();
    });
}

QList<QWidget*> ChannelEditor::keyboardOrder() const {
    return QList<QWidget*>{
               channelList_,    receiveFrequencyBox_, decodeToneList_, transmitFrequencyBox_,
               encodeToneList_, busyLockoutBox_,      shiftBox_} +
           wideNarrowOrder_ + QList<QWidget*>{txEqualsRxBox_, deleteAllChannelsBox_, okButton_};
}

void ChannelEditor::fillToneLists() {
    QStringList items;
    for (const auto& item : state_.model.tones.listItems(state_.language))
        items << Q(item);
    ReplaceItems(decodeToneList_, items);
    ReplaceItems(encodeToneList_, items);
}

void ChannelEditor::relabel() {
    for (QComboBox* list : {decodeToneList_, encodeToneList_})
        if (list->count() > 0)
            list->setItemText(0, Q(state_.text(Text::NoTone)));
    ReplaceItems(transmitPowerList_, {Q(state_.text(Text::High)), Q(state_.text(Text::Low))});
}

void ChannelEditor::applyTexts() {
    ApplyTexts(this, state_.language);
    PaintBackground(this, state_.colours.full);
    for (QWidget* w : captioned_) {
        ApplyTexts(w, state_.language);
        PaintBackground(w, state_.colours.full);
    }
    for (QCheckBox* box : {busyLockoutBox_, shiftBox_, scanBox_})
        PaintBackground(box, state_.colours.full);
    relabel();
}

void ChannelEditor::setIdle() {
    for (QComboBox* list : {encodeToneList_, decodeToneList_, channelList_})
        list->setCurrentIndex(0);
    for (QComboBox* list : {decodeToneList_, encodeToneList_}) {
        list->setCurrentIndex(-1);
        list->setEnabled(false);
    }
    for (QCheckBox* box : {busyLockoutBox_, shiftBox_, scanBox_}) {
        box->setChecked(false);
        box->setEnabled(false);
    }
    transmitPowerList_->setCurrentIndex(0);
    transmitPowerList_->setEnabled(false);
}

void ChannelEditor::clearBoxes() {
    receiveFrequencyBox_->clear();
    transmitFrequencyBox_->clear();
}

void ChannelEditor::reformatBoxes() {
    for (QLineEdit* box : {receiveFrequencyBox_, transmitFrequencyBox_})
        if (const auto f = FrequencyIn(box))
            box->setText(Q(FormatFrequency(Mhz{*f})));
}

// Typing decides what else may be set: no receive frequency, no channel options.
void ChannelEditor::receiveFrequencyEdited() {
    if (!FrequencyIn(receiveFrequencyBox_)) {
        if (!receiveFrequencyBox_->text().isEmpty())
            receiveFrequencyBox_->clear(); // runs this handler again on the empty text
        decodeToneList_->setCurrentIndex(-1);
        decodeToneList_->setEnabled(false);
        for (QCheckBox* box : {busyLockoutBox_, shiftBox_, scanBox_}) {
            box->setEnabled(false);
            box->setChecked(false);
        }
        transmitPowerList_->setCurrentIndex(-1);
        transmitPowerList_->setEnabled(false);
        return;
    }
    if (decodeToneList_->currentIndex() < 0)
        decodeToneList_->setCurrentIndex(0);
    decodeToneList_->setEnabled(true);
    busyLockoutBox_->setEnabled(true);
    shiftBox_->setEnabled(true);
    shiftBox_->setChecked(false);
    transmitPowerList_->setCurrentIndex(0);
    transmitPowerList_->setEnabled(true);
    scanBox_->setEnabled(true);
    scanBox_->setChecked(false);
}

void ChannelEditor::transmitFrequencyEdited() {
    if (!FrequencyIn(transmitFrequencyBox_)) {
        if (!transmitFrequencyBox_->text().isEmpty())
            transmitFrequencyBox_->clear();
        encodeToneList_->setCurrentIndex(-1);
        encodeToneList_->setEnabled(false);
        return;
    }
    encodeToneList_->setEnabled(true);
    if (encodeToneList_->currentIndex() < 0)
        encodeToneList_->setCurrentIndex(0);
}

bool ChannelEditor::boxTakesUndo(const QLineEdit* box) const {
    const Field field = box == receiveFrequencyBox_ ? Field::RxFrequency : Field::TxFrequency;
    return box->isUndoAvailable() &&
           box->text() != Q(channels_.cellText(state_.currentChannel, field));
}

bool ChannelEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        (watched == receiveFrequencyBox_ || watched == transmitFrequencyBox_)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool undoKey = key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
                             key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y);
        // Not taken by the box, the key goes on to the window's Undo and Redo.
        if (undoKey && !boxTakesUndo(static_cast<QLineEdit*>(watched)))
            return true;
    }
    if (event->type() == QEvent::FocusOut &&
        LeftForAnotherControl(static_cast<QFocusEvent*>(event))) {
        if (watched == receiveFrequencyBox_)
            lostFocus(receiveFrequencyBox_, FrequencyBox::Receive);
        else if (watched == transmitFrequencyBox_)
            lostFocus(transmitFrequencyBox_, FrequencyBox::Transmit);
    } else if (event->type() == QEvent::FocusIn) {
        // Each tone list starts from the other one's tone.
        if (watched == decodeToneList_ && encodeToneList_->currentIndex() >= 0)
            decodeToneList_->setCurrentIndex(encodeToneList_->currentIndex());
        else if (watched == encodeToneList_ && decodeToneList_->currentIndex() >= 0)
            encodeToneList_->setCurrentIndex(decodeToneList_->currentIndex());
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
        receiveFrequencyBox_->text().toStdString(), transmitFrequencyBox_->text().toStdString(),
        state_.band(), state_.bandCheckOn, state_.marksOutOfBand, state_.language);
    if (!state_.bandCheckOn)
        return;
    apply(transmitFrequencyBox_, j.transmit);
    apply(receiveFrequencyBox_, j.receive);
}

void ChannelEditor::showChannel(int channel) {
    if (channel < 0 || channel >= kChannelCount)
        return;
    const auto& table = state_.plug.channels;
    const auto frequencyText = [&](Field f) { return Q(channels_.cellText(channel, f)); };
    receiveFrequencyBox_->setText(frequencyText(Field::RxFrequency));
    transmitFrequencyBox_->setText(frequencyText(Field::TxFrequency));
    decodeToneList_->setCurrentIndex(static_cast<int>(table.value(channel, Field::RxTone)));
    encodeToneList_->setCurrentIndex(static_cast<int>(table.value(channel, Field::TxTone)));
    const auto setSwitch = [&](QCheckBox* box, Field f) {
        const double v = table.value(channel, f);
        box->setEnabled(v != EmptyValue);
        box->setChecked(v == 1);
    };
    setSwitch(busyLockoutBox_, Field::BusyLockout);
    setSwitch(shiftBox_, Field::Shift);
}

void ChannelEditor::showSelectedChannel() {
    bool ok = false;
    const int row = channelList_->currentText().toInt(&ok) - 1;
    if (!ok)
        return;
    state_.selectedRow = row;
    showChannel(row);
}

void ChannelEditor::channelChosen() {
    state_.currentChannel = channelList_->currentIndex();
    channelScrollBar_->setValue(state_.currentChannel + 1);
    state_.selectedRow = state_.currentChannel;
    showSelectedChannel();
    judgeFrequencyRanges();
}

void ChannelEditor::channelScrolled(int value) {
    if (value == 0) {
        channelScrollBar_->setValue(kChannelCount);
        return;
    }
    if (value == kChannelCount + 1) {
        channelScrollBar_->setValue(1);
        return;
    }
    channelList_->setCurrentIndex(value - 1);
    state_.currentChannel = channelList_->currentIndex();
    if (state_.readyForFocus)
        receiveFrequencyBox_->setFocus();
    judgeFrequencyRanges();
}

void ChannelEditor::selectChannelFromTable(int channel) {
    state_.readyForFocus = false;
    state_.selectedRow = channel;
    channelList_->setCurrentIndex(channel);
    state_.currentChannel = channel;
    channelScrollBar_->setValue(channel + 1);
    showChannel(channel);
    state_.readyForFocus = true;
}

void ChannelEditor::txEqualsRxClicked() {
    if (!txEqualsRxBox_->isChecked())
        return;
    if (receiveFrequencyBox_->text().isEmpty() || !transmitFrequencyBox_->text().isEmpty())
        receiveFrequencyBox_->setText(transmitFrequencyBox_->text());
    else
        transmitFrequencyBox_->setText(receiveFrequencyBox_->text());
}

void ChannelEditor::deleteAllChannelsClicked() {
    if (deleteAllChannelsBox_->isChecked() &&
        dialogs_.ask(state_.text(Text::MessageTitle), state_.text(Text::DeleteAllQuestion),
                     MessageIcon::Question))
        deleteAllChannels();
    deleteAllChannelsBox_->setChecked(false);
}

void ChannelEditor::storeChannel() {
    const int c = state_.currentChannel;
    if (c < 0 || c >= kChannelCount)
        return;
    if (state_.marksOutOfBand) {
        judgeFrequencyRanges();
    } else {
        for (auto [box, which] : {std::pair{receiveFrequencyBox_, FrequencyBox::Receive},
                                  std::pair{transmitFrequencyBox_, FrequencyBox::Transmit}})
            apply(box, CheckFrequencyEntry(box->text().toStdString(), which, state_.band(), false,
                                           state_.language));
    }
    PlugSnapshot after = document_.current();
    auto& table = after.channels;
    if (receiveFrequencyBox_->text().isEmpty()) {
        table.clearChannel(c);
    } else {
        const BandContext band = state_.band();
        for (QLineEdit* box : {receiveFrequencyBox_, transmitFrequencyBox_}) {
            const auto f = FrequencyIn(box);
            if (f && (*f < kLowestPlausibleMhz || *f >= kHighestPlausibleMhz)) {
                box->setText(Q(band.lowEdge));
                judgeFrequencyRanges();
            }
        }
        if (const auto edges = BandFromEdges(band.lowEdge, band.highEdge)) {
            for (QLineEdit* box : {receiveFrequencyBox_, transmitFrequencyBox_})
                if (const auto f = FrequencyIn(box))
                    box->setText(Q(FormatFrequency(edges->snap(Mhz{*f}))));
        }
        table.setValue(c, Field::RxFrequency,
                       FrequencyIn(receiveFrequencyBox_).value_or(EmptyValue));
        table.setValue(c, Field::TxFrequency,
                       FrequencyIn(transmitFrequencyBox_).value_or(EmptyValue));
        table.setValue(c, Field::RxTone, decodeToneList_->currentIndex());
        table.setValue(c, Field::TxTone, encodeToneList_->currentIndex());
        table.setValue(c, Field::BusyLockout, busyLockoutBox_->isChecked() ? 1 : 0);
        table.setValue(c, Field::Shift, shiftBox_->isChecked() ? 1 : 0);
    }
    document_.apply(EditKind::StoreChannel, 1, after);
}

void ChannelEditor::deleteAllChannels() {
    clearBoxes();
    for (QComboBox* list : {decodeToneList_, encodeToneList_, transmitPowerList_})
        list->setCurrentIndex(-1);
    PlugSnapshot after = document_.current();
    after.channels.clear();
    int inUse = 0;
    for (int c = 0; c < kChannelCount; ++c)
        inUse += state_.plug.channels.inUse(c) ? 1 : 0;
    document_.apply(EditKind::ClearAllChannels, inUse, after);
    channelList_->setCurrentIndex(0);
    receiveFrequencyBox_->setFocus();
}

void ChannelEditor::deleteCurrentChannel() {
    PlugSnapshot after = document_.current();
    after.channels.clearChannel(state_.currentChannel);
    document_.apply(EditKind::DeleteChannel, 1, after);
    state_.currentChannel = state_.selectedRow;
    showChannel(state_.selectedRow);
}

} // namespace hx
