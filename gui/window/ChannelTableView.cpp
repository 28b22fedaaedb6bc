#include "gui/window/ChannelTableView.h"

#include "core/texts/Texts.h"
#include "gui/style/Captions.h"
#include "gui/style/Colours.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionFrame>

namespace hx {
namespace {

// Column heads by field; fields 5 to 7 are kept up to date but not shown.
constexpr const char* kHeaderNames[kFieldCount] = {
    "receiveFrequencyHeading", "transmitFrequencyHeading",
    "decodeToneHeading",       "encodeToneHeading",
    "busyLockoutHeading",      "shiftHeading",
    "transmitPowerHeading",    "scanHeading"};
constexpr int kVisibleFields = 5;

int Slot(int index) {
    return (index / 1000 - 1) * kChannelCount + index % 1000;
}

// The width an edit box needs to show `text` without scrolling it: the text and
// the cursor, the box's inner margins and its frame.
int WidthShowing(const QLineEdit* box, const QString& text) {
    constexpr int kLineEditMargin = 2; // QLineEdit's own, each side
    const QMargins t = box->textMargins();
    const QMargins c = box->contentsMargins();
    const int inner = box->fontMetrics().horizontalAdvance(text) + 1 + 2 * kLineEditMargin +
                      t.left() + t.right() + c.left() + c.right();
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    option.state |= QStyle::State_Sunken;
    return box->style()
        ->sizeFromContents(QStyle::CT_LineEdit, &option, {inner, box->sizeHint().height()}, box)
        .width();
}

} // namespace

ChannelTableView::ChannelTableView(WindowState& state, QWidget* parent)
    : QGroupBox(parent), state_(state) {
    setObjectName("channelTable");
    auto* grid = new QGridLayout(this);
    grid->setVerticalSpacing(1);
    grid->setHorizontalSpacing(2);
    for (const char* name : {"channelHeading", "toneHeading"}) { // heads no column uses
        auto* head = new QLabel(this);
        head->setObjectName(name);
        head->hide();
        headers_ << head;
    }
    for (int f = 0; f < kFieldCount; ++f) {
        auto* head = new QLabel(this);
        head->setObjectName(kHeaderNames[f]);
        head->setAlignment(Qt::AlignCenter);
        grid->addWidget(head, 0, f + 1);
        head->setVisible(f < kVisibleFields);
        headers_ << head;
    }
    for (int c = 0; c < kChannelCount; ++c) {
        auto* label = new QLabel(QString::number(c + 1), this);
        label->setObjectName(QString("channelRowLabel%1").arg(c));
        label->setAlignment(Qt::AlignCenter);
        rowLabels_[static_cast<std::size_t>(c)] = label;
        grid->addWidget(label, c + 1, 0);
        for (int f = 0; f < kFieldCount; ++f) {
            const int index = CellIndex(static_cast<Field>(f), c);
            auto* box = new QLineEdit(this);
            box->setObjectName(QString("channelCell%1").arg(index));
            box->setReadOnly(true);
            box->setContextMenuPolicy(Qt::NoContextMenu);
            box->setAlignment(Qt::AlignCenter);
            box->setProperty("cellIndex", index);
            box->setFocusPolicy(Qt::ClickFocus); // one cell at a time is the Tab stop
            // Room beyond the smallest size goes to the rows, not to the heading.
            box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
            box->installEventFilter(this);
            box->setVisible(f < kVisibleFields);
            grid->addWidget(box, c + 1, f + 1);
            cells_[static_cast<std::size_t>(Slot(index))] = box;
        }
        grid->setRowStretch(c + 1, 1);
    }
    makeTabStop(cell(Field::RxFrequency, 0));
    channelPopupMenu_ = new QMenu(this);
    channelPopupMenu_->setObjectName("channelPopupMenu");
    const auto item = [this](const char* name, QKeySequence key = {}) {
        QAction* a = channelPopupMenu_->addAction(QString());
        a->setObjectName(name);
        // The key is shown here; the cells pass it on (see triggerByKey).
        a->setShortcut(key);
        a->setShortcutContext(Qt::WidgetShortcut);
        return a;
    };
    deleteChannelAction_ = item("deleteChannelAction");
    clearChannelsAction_ = item("clearChannelsAction", QKeySequence::Delete);
    channelPopupMenu_->addSeparator();
    copyChannelsAction_ = item("copyChannelsAction", QKeySequence::Copy);
    pasteChannelsAction_ = item("pasteChannelsAction", QKeySequence::Paste);
    channelPopupMenu_->addSeparator();
    moveChannelUpAction_ = item("moveChannelUpAction");
    moveChannelDownAction_ = item("moveChannelDownAction");
    channelPopupMenu_->addSeparator()->setObjectName("deleteMenuSeparator");
    deleteAllChannelsAction_ = channelPopupMenu_->addAction(QString());
    deleteAllChannelsAction_->setObjectName("deleteAllChannelsAction");
    connect(deleteChannelAction_, &QAction::triggered, this,
            &ChannelTableView::deleteChannelChosen);
    connect(deleteAllChannelsAction_, &QAction::triggered, this,
            &ChannelTableView::deleteAllChannelsChosen);
    connect(copyChannelsAction_, &QAction::triggered, this, &ChannelTableView::copyChosen);
    connect(pasteChannelsAction_, &QAction::triggered, this, &ChannelTableView::pasteChosen);
    connect(moveChannelUpAction_, &QAction::triggered, this, [this] { emit moveChosen(-1); });
    connect(moveChannelDownAction_, &QAction::triggered, this, [this] { emit moveChosen(1); });
    connect(clearChannelsAction_, &QAction::triggered, this, &ChannelTableView::clearChosen);
}

void ChannelTableView::popUp(QLineEdit* box, int channel, QPoint at) {
    box->setFocus();
    emit cellRightClicked(channel);
    deleteChannelAction_->setText(Q(state_.text(Text::DeleteChannelFirst) +
                                    std::to_string(channel + 1) +
                                    state_.text(Text::DeleteChannelSecond)));
    channelPopupMenu_->popup(at);
}

QList<QWidget*> ChannelTableView::cellsInReadingOrder() const {
    QList<QWidget*> order;
    for (int c = 0; c < kChannelCount; ++c)
        for (int f = 0; f < kVisibleFields; ++f)
            order << cell(static_cast<Field>(f), c);
    return order;
}

void ChannelTableView::makeTabStop(QLineEdit* cell) {
    if (tabStop_)
        tabStop_->setFocusPolicy(Qt::ClickFocus);
    tabStop_ = cell;
    tabStop_->setFocusPolicy(Qt::StrongFocus);
}

// At the window's smallest size the frequency cells still show "000.00000" whole.
void ChannelTableView::fitFrequencyColumns() {
    for (int c = 0; c < kChannelCount; ++c)
        for (const Field f : {Field::RxFrequency, Field::TxFrequency})
            cell(f, c)->setMinimumWidth(WidthShowing(cell(f, c), "000.00000"));
}

QLineEdit* ChannelTableView::cell(int index) const {
    return cells_.at(static_cast<std::size_t>(Slot(index)));
}

void ChannelTableView::setModel(const QAbstractItemModel* model) {
    model_ = model;
    connect(model, &QAbstractItemModel::modelReset, this, &ChannelTableView::showModel);
    connect(model, &QAbstractItemModel::dataChanged, this, &ChannelTableView::showModel);
    showModel();
}

// The cells are the model's view only: nothing else writes their texts or colours.
void ChannelTableView::showModel() {
    for (int c = 0; c < kChannelCount; ++c)
        for (int f = 0; f < kFieldCount; ++f) {
            const QModelIndex index = model_->index(c, f);
            QLineEdit* box = cell(static_cast<Field>(f), c);
            const QString text = index.data(Qt::DisplayRole).toString();
            if (box->text() != text)
                box->setText(text);
            QPalette palette = box->palette();
            palette.setColor(QPalette::Base, index.data(Qt::BackgroundRole).value<QColor>());
            palette.setColor(QPalette::Text, index.data(Qt::ForegroundRole).value<QColor>());
            box->setPalette(palette);
        }
}

void ChannelTableView::applyTexts() {
    ApplyTexts(this, state_.language);
    PaintBackground(this, state_.colours.full);
    for (QLabel* head : headers_) {
        ApplyTexts(head, state_.language);
        PaintBackground(head, state_.colours.full);
    }
    deleteAllChannelsAction_->setText(Q(state_.text(Text::DeleteAllChannels)));
    for (QAction* a : {clearChannelsAction_, copyChannelsAction_, pasteChannelsAction_,
                       moveChannelUpAction_, moveChannelDownAction_})
        a->setText(Q(std::string(CaptionOf(a->objectName().toStdString())->in(state_.language))));
    fitFrequencyColumns(); // in the language's font
    showSelection();       // the row labels in the frame colour
}

std::vector<int> ChannelTableView::selectedChannels() const {
    std::vector<int> channels;
    for (int c = 0; c < kChannelCount; ++c)
        if (selected_[static_cast<std::size_t>(c)])
            channels.push_back(c);
    return channels;
}

void ChannelTableView::select(const std::vector<int>& channels) {
    if (channels.empty())
        return;
    selected_.reset();
    for (const int c : channels)
        selected_.set(static_cast<std::size_t>(c));
    anchor_ = channels.front();
    showSelection();
}

void ChannelTableView::follow(int channel) {
    if (channel >= 0 && channel < kChannelCount && !selected_[static_cast<std::size_t>(channel)])
        select({channel});
}

void ChannelTableView::clicked(int channel, Qt::KeyboardModifiers modifiers) {
    const auto bit = static_cast<std::size_t>(channel);
    if (modifiers & Qt::ShiftModifier) {
        selected_.reset();
        for (int c = std::min(anchor_, channel); c <= std::max(anchor_, channel); ++c)
            selected_.set(static_cast<std::size_t>(c));
    } else if ((modifiers & Qt::ControlModifier) && (!selected_[bit] || selected_.count() > 1)) {
        selected_.flip(bit);
        anchor_ = channel;
    } else {
        selected_.reset();
        selected_.set(bit);
        anchor_ = channel;
    }
    showSelection();
}

// One selected row is the editor's channel and needs no mark; more are marked on
// their row labels, which leaves the cells their colours for empty, stored and
// out-of-band.
void ChannelTableView::showSelection() {
    const bool marked = selected_.count() > 1;
    for (int c = 0; c < kChannelCount; ++c) {
        QLabel* label = rowLabels_[static_cast<std::size_t>(c)];
        QPalette palette; // the default text colour
        palette.setColor(QPalette::Window, ToQColor(state_.colours.full));
        if (marked && selected_[static_cast<std::size_t>(c)]) {
            palette.setColor(QPalette::Window, palette.color(QPalette::Highlight));
            palette.setColor(QPalette::WindowText, palette.color(QPalette::HighlightedText));
        }
        label->setPalette(palette);
        label->setAutoFillBackground(true);
    }
    moveChannelUpAction_->setEnabled(!selected_[0]);
    moveChannelDownAction_->setEnabled(!selected_[kChannelCount - 1]);
}

// Copy, paste and clear from the keyboard. A read-only line edit would take Ctrl+C
// for its own text, so the cells claim these keys when asked first (`onlyAsk`) and
// then pass them on.
bool ChannelTableView::triggerByKey(const QKeyEvent* key, bool onlyAsk) {
    const std::pair<QKeySequence::StandardKey, QAction*> keys[] = {
        {QKeySequence::Copy, copyChannelsAction_},
        {QKeySequence::Paste, pasteChannelsAction_},
        {QKeySequence::Delete, clearChannelsAction_}};
    for (const auto& [standard, action] : keys) {
        if (!key->matches(standard))
            continue;
        if (!onlyAsk && action->isEnabled())
            action->trigger();
        return true;
    }
    return false;
}

bool ChannelTableView::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box)
        return QGroupBox::eventFilter(watched, event);
    const int channel = box->property("cellIndex").toInt() % 100;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        makeTabStop(box); // also where no focus follows, as in a window not active
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            clicked(channel, mouse->modifiers());
            if (selected_[static_cast<std::size_t>(channel)])
                emit cellClicked(channel);
        } else if (mouse->button() == Qt::RightButton) {
            follow(channel); // the pop-up acts on the selection it was opened on
            popUp(box, channel, mouse->globalPosition().toPoint());
        }
        return false;
    }
    case QEvent::ShortcutOverride:
        if (!triggerByKey(static_cast<QKeyEvent*>(event), true))
            return false;
        event->accept();
        return true;
    case QEvent::FocusIn:
        makeTabStop(box);
        return false;
    case QEvent::KeyPress: {
        const auto* press = static_cast<QKeyEvent*>(event);
        if (triggerByKey(press, false))
            return true;
        const int key = press->key();
        if (key == Qt::Key_Menu) {
            popUp(box, channel, box->mapToGlobal(box->rect().center()));
            return true;
        }
        if (key != Qt::Key_Up && key != Qt::Key_Down && key != Qt::Key_Left && key != Qt::Key_Right)
            return false;
        moveFrom(box, key, press->modifiers() & Qt::ShiftModifier);
        return true;
    }
    default:
        return false;
    }
}

// An arrow moves to the next shown cell that way, as a click on it would; at the
// table's edge it stays. With Shift, up and down extend the selection.
void ChannelTableView::moveFrom(QLineEdit* from, int arrow, bool extending) {
    const int index = from->property("cellIndex").toInt();
    int field = index / 1000 - 1;
    int channel = index % 1000;
    if (arrow == Qt::Key_Up)
        --channel;
    else if (arrow == Qt::Key_Down)
        ++channel;
    else if (arrow == Qt::Key_Left)
        --field;
    else
        ++field;
    if (channel < 0 || channel >= kChannelCount || field < 0 || field >= kVisibleFields)
        return;
    QLineEdit* to = cell(static_cast<Field>(field), channel);
    makeTabStop(to);
    to->setFocus(Qt::OtherFocusReason);
    if (arrow == Qt::Key_Up || arrow == Qt::Key_Down)
        clicked(channel, extending ? Qt::ShiftModifier : Qt::NoModifier);
    emit cellClicked(channel);
}

} // namespace hx
