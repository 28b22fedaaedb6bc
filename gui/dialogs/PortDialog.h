#pragma once

#include "core/link/PortNames.h"
#include "core/settings/UserSettings.h"
#include "core/texts/Language.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace hx {

// The port dialog: COM1 to COM16 in four rows, each with the device it names and
// whether that device is there, and whether transfers keep a serial trace. Only OK
// changes them, and the number only with a port chosen.
class PortDialog : public QDialog {
    Q_OBJECT
public:
    // The port of the cable the user just plugged in, and the choices as they are now.
    struct FoundCable {
        int portNumber;
        std::vector<PortChoice> choices;
    };
    struct Setup {
        int portNumber;
        Language language;
        BgrColour background;
        std::vector<PortChoice> choices; // one per port, COM1 first
        std::function<std::optional<FoundCable>()> findCable = {};
        bool serialTrace = false;
    };
    PortDialog(const Setup& setup, QWidget* parent);

    int portNumber() const { return portNumber_; }
    // Whether transfers keep a serial trace: as checked at OK, else as it was.
    bool serialTrace() const { return serialTrace_; }

    QGroupBox* portFrame;
    QLabel* portHeading;
    std::array<QRadioButton*, kPortCount> portOptions{};
    std::array<QLabel*, kPortCount> deviceLabels{};
    QCheckBox* traceBox;
    QPushButton* findCableButton;
    QPushButton* okButton;
    QPushButton* cancelButton;

private:
    void showChoices(const std::vector<PortChoice>& choices);
    void findCableClicked();
    void okClicked();
    void cancelClicked();

    Language language_;
    std::function<std::optional<FoundCable>()> findCable_;
    int portNumber_;
    int portAtOpen_;
    bool serialTrace_;
};

} // namespace hx
