#pragma once

#include "gui/window/WindowState.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <array>

namespace hx {

// "Channel Information": one row of cells per channel, addressed by CellIndex.
// Clicking a row asks for that channel in the editor; right-clicking also offers
// the deletions. For the keyboard the table is one stop of the Tab chain: the
// arrows move from cell to cell as a click would, the menu key offers the deletions.
class ChannelTableView : public QGroupBox {
    Q_OBJECT
public:
    ChannelTableView(WindowState& state, QWidget* parent);

    QLineEdit* cell(int index) const; // by CellIndex
    QLineEdit* cell(Field field, int channel) const { return cell(CellIndex(field, channel)); }

    void setCellText(Field field, int channel, const std::string& text);
    void clearChannelCells(int channel); // texts only
    void clearAllCells();                // texts only
    void paintRow(int channel, BgrColour background);
    void paintTextColour(Field field, int channel, BgrColour colour);
    void paintEmptyCells(); // every cell on the empty-cell colour
    // Re-labels the language-dependent cells and repaints the rows (language switch).
    void relabel();
    void applyTexts();
    // The shown cells row by row, for the window's Tab chain.
    QList<QWidget*> cellsInReadingOrder() const;

    QMenu* channelPopupMenu;
    QAction* deleteChannelAction;
    QAction* deleteAllChannelsAction;

signals:
    void cellClicked(int channel);
    void cellRightClicked(int channel, QPoint globalPosition);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void moveFrom(QLineEdit* cell, int arrow);
    void makeTabStop(QLineEdit* cell);
    void fitFrequencyColumns();

    WindowState& state_;
    QLineEdit* tabStop_ = nullptr;
    std::array<QLineEdit*, kChannelCount * kFieldCount> cells_{};
    std::array<QLabel*, kChannelCount> rowLabels_{};
    QList<QLabel*> headers_;
};

} // namespace hx
