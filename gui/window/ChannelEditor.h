#pragma once

#include "gui/dialogs/UserDialogs.h"
#include "gui/style/ClickableLabel.h"
#include "gui/window/ChannelTableModel.h"
#include "gui/window/PlugDocument.h"
#include "gui/window/WindowState.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace hx {

class FunctionArea;

// "Channel Edit": one channel at a time, read from the channel model and written
// into the plug only by OK, as one step. The frequency rules it applies live in
// codeplug/FrequencyCheck.
class ChannelEditor : public QGroupBox {
    Q_OBJECT
public:
    ChannelEditor(WindowState& state, const ChannelTableModel& channels, PlugDocument& document,
                  UserDialogs& dialogs, FunctionArea& functions, QWidget* parent);

    void fillToneLists(); // items of the model's tone table, current language
    void relabel();       // language-dependent items, selections kept
    void applyTexts();
    void setIdle(); // lists cleared and disabled until a frequency is typed
    void showChannel(int channel);
    void showSelectedChannel();
    void judgeFrequencyRanges();
    void storeChannel();
    void deleteAllChannels();
    void deleteCurrentChannel();
    void selectChannelFromTable(int channel); // a click into the table
    void clearBoxes();
    void reformatBoxes(); // both frequency texts in the five-decimal form
    void selectChannel(int position) { channelList_->setCurrentIndex(position); }
    void focusReceiveFrequency() { receiveFrequencyBox_->setFocus(); }
    void focusOk() { okButton_->setFocus(); }
    bool txEqualsRx() const { return txEqualsRxBox_->isChecked(); }
    void setTxEqualsRx(bool on) { txEqualsRxBox_->setChecked(on); }
    // The controls the Tab key visits, in order, wide/narrow among them.
    QList<QWidget*> keyboardOrder() const;

signals:
    void channelSelected(int channel);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void receiveFrequencyEdited();
    void transmitFrequencyEdited();
    void lostFocus(QLineEdit* box, FrequencyBox which);
    // Applies one check's result to its box: text, message, colour, focus.
    void apply(QLineEdit* box, const FrequencyCheck& check);
    void channelChosen();
    void channelScrolled(int value);
    void txEqualsRxClicked();
    void deleteAllChannelsClicked();
    // Whether Ctrl+Z belongs to the box: it has typing of its own that the channel
    // does not hold yet.
    bool boxTakesUndo(const QLineEdit* box) const;

    QComboBox *channelList_, *decodeToneList_, *encodeToneList_;
    QScrollBar* channelScrollBar_;
    QLineEdit *receiveFrequencyBox_, *transmitFrequencyBox_;
    QCheckBox *busyLockoutBox_, *shiftBox_, *txEqualsRxBox_, *deleteAllChannelsBox_;
    QPushButton* okButton_;
    // Power and scan are not stored in the radio image; they stay out of sight.
    QComboBox* transmitPowerList_;
    QCheckBox* scanBox_;
    ClickableLabel* busyLockoutLabel_;
    WindowState& state_;
    QList<QWidget*> wideNarrowOrder_; // the function area's list, shown here
    const ChannelTableModel& channels_;
    PlugDocument& document_;
    UserDialogs& dialogs_;
    QList<QWidget*> captioned_;
};

} // namespace hx
