#pragma once

#include "app/window/ChannelTableView.h"
#include "app/window/ClickableLabel.h"
#include "app/window/UserDialogs.h"
#include "app/window/WindowState.h"

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
    void ChAccord(int channel);
    void ChannelEdit();
    void JudgeFreRange();
    void cmdConfirm_Click();
    void DeleteAllChData();
    void mnuChannelData_Click();
    void selectChannelFromTable(int channel); // a click into the table
    void ChInfoColor();
    void clearBoxes();
    void reformatBoxes(); // both frequency texts in the five-decimal form
    void selectChannel(int position) { cboChSel->setCurrentIndex(position); }

    QComboBox *cboChSel, *cboReceQTSel, *cboTransQTSel, *cboTransPower;
    QScrollBar* vsbSelCH;
    QLineEdit *txtReceFre, *txtTransFre;
    QCheckBox *chkForbidTrans, *chkShift, *chkScan, *chkFreReceEquTrans, *chkDeteChanData;
    QPushButton* cmdConfirm;
    ClickableLabel* lblForbidTrans;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void txtReceFre_Change();
    void txtTransFre_Change();
    void lostFocus(QLineEdit* box, FrequencyBox which);
    // Applies one check's result to its box: text, message, colour, focus.
    void apply(QLineEdit* box, const FrequencyCheck& check);
    void cboChSel_Click();
    void vsbSelCH_Change(int value);
    void chkFreReceEquTrans_Click();
    void chkDeteChanData_Click();
    void storeFrequency(QLineEdit* box, Field field, bool outOfRange);

    WindowState& state_;
    ChannelTableView& table_;
    UserDialogs& dialogs_;
    QList<QWidget*> captioned_;
    bool rxOutOfRange_ = false;
    bool txOutOfRange_ = false;
};

} // namespace hx
