#pragma once

#include "app/Language.h"
#include "app/settings/UserSettings.h"
#include "link/PortNames.h"

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <vector>

namespace hx {

// The port dialog: COM1 to COM16 in four rows, each with the device it names and
// whether that device is there. Only OK with a port chosen changes the number.
class frmToolCom : public QDialog {
    Q_OBJECT
public:
    struct Setup {
        int comPort;
        Language language;
        BgrColour background;
        std::vector<PortChoice> choices; // one per port, COM1 first
    };
    frmToolCom(const Setup& setup, QWidget* parent);

    int ComPortNumber() const { return comPortNumber_; }

    QGroupBox* fraToolCom;
    QLabel* lblToolCom;
    std::array<QRadioButton*, kPortCount> COM1{};
    std::array<QLabel*, kPortCount> lblDevice{};
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

private:
    void cmdOK_Click();
    void cmdCancel_Click();

    int comPortNumber_;
    int portAtOpen_;
};

} // namespace hx
