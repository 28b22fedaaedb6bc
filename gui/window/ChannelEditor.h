#pragma once

#include "gui/dialogs/UserDialogs.h"
#include "gui/style/ClickableLabel.h"
#include "gui/window/ChannelTableView.h"
#include "gui/window/WindowState.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace hx {

class FunctionArea;

// "Channel Edit": one channel at a time, written into the code plug and the table
// only by OK. The frequency rules it applies live in codeplug/FrequencyCheck.
class ChannelEditor : public QGroupBox {
    Q_OBJECT
public:
    ChannelEditor(WindowState& state, ChannelTableView& table, UserDialogs& dialogs,
                  FunctionArea& functions, QWidget* parent);

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
    void markOutOfBandCells();
    void clearBoxes();
    void reformatBoxes(); // both frequency texts in the five-decimal form
    void selectChannel(int position) { channelList->setCurrentIndex(position); }

    QComboBox *channelList, *decodeToneList, *encodeToneList, *transmitPowerList;
    QScrollBar* channelScrollBar;
    QLineEdit *receiveFrequencyBox, *transmitFrequencyBox;
    QCheckBox *busyLockoutBox, *shiftBox, *scanBox, *txEqualsRxBox, *deleteAllChannelsBox;
    QPushButton* okButton;
    ClickableLabel* busyLockoutLabel;

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
    void storeFrequency(QLineEdit* box, Field field, bool outOfRange);

    WindowState& state_;
    ChannelTableView& table_;
    UserDialogs& dialogs_;
    QList<QWidget*> captioned_;
    bool rxOutOfRange_ = false;
    bool txOutOfRange_ = false;
};

} // namespace hx
