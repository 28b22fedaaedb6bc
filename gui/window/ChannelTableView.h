#pragma once

#include "gui/window/WindowState.h"

#include <QAbstractItemModel>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <array>
#include <bitset>
#include <vector>

namespace hx {

// "Channel Information": one row of cells per channel, addressed by CellIndex.
// Clicking a row asks for that channel in the editor; right-clicking also offers
// the deletions and the channel commands. For the keyboard the table is one stop of
// the Tab chain: the arrows move from cell to cell as a click would, the menu key
// offers the pop-up menu.
// Rows are selected as in a spreadsheet: a click selects one, Ctrl+click adds or
// removes one, Shift+click and Shift+arrow extend from the last plain click. The
// channel commands (copy, paste, move, clear) work on the selection; Ctrl+C,
// Ctrl+V and Delete reach them from the keyboard.
class ChannelTableView : public QGroupBox {
    Q_OBJECT
public:
    ChannelTableView(WindowState& state, QWidget* parent);

    // Shows the model's texts and colours from now on, whenever it changes.
    void setModel(const QAbstractItemModel* model);
    void applyTexts();
    // The shown cells row by row, for the window's Tab chain.
    QList<QWidget*> cellsInReadingOrder() const;

    // The cell last clicked or moved to, by CellIndex: where a pasted value goes.
    int currentCell() const { return tabStop_->property("cellIndex").toInt(); }

    // The selected channels (0-15) in table order; never empty.
    std::vector<int> selectedChannels() const;
    void select(const std::vector<int>& channels); // an empty list is ignored
    // The editor chose `channel`: a selection that holds it stays, any other gives way.
    void follow(int channel);

signals:
    void cellClicked(int channel);
    // Before the pop-up menu opens on the channel.
    void cellRightClicked(int channel);
    // The pop-up's commands.
    void deleteChannelChosen();
    void deleteAllChannelsChosen();
    void copyChosen();
    void pasteChosen();
    void moveChosen(int step); // -1 up, +1 down
    void clearChosen();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* cell(int index) const; // by CellIndex
    QLineEdit* cell(Field field, int channel) const { return cell(CellIndex(field, channel)); }
    void moveFrom(QLineEdit* cell, int arrow, bool extending);
    void makeTabStop(QLineEdit* cell);
    void fitFrequencyColumns();
    void clicked(int channel, Qt::KeyboardModifiers modifiers);
    bool triggerByKey(const QKeyEvent* key, bool onlyAsk);
    void showSelection();
    void showModel();
    void popUp(QLineEdit* cell, int channel, QPoint at);

    QMenu* channelPopupMenu_;
    QAction *deleteChannelAction_, *clearChannelsAction_, *copyChannelsAction_,
        *pasteChannelsAction_, *moveChannelUpAction_, *moveChannelDownAction_,
        *deleteAllChannelsAction_;
    WindowState& state_;
    const QAbstractItemModel* model_ = nullptr;
    QLineEdit* tabStop_ = nullptr;
    std::array<QLineEdit*, kChannelCount * kFieldCount> cells_{};
    std::array<QLabel*, kChannelCount> rowLabels_{};
    QList<QLabel*> headers_;
    std::bitset<kChannelCount> selected_{1};
    int anchor_ = 0; // where Shift extends from
};

} // namespace hx
