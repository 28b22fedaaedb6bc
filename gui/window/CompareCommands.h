#pragma once

#include "core/compare/ImageComparison.h"
#include "gui/dialogs/UserDialogs.h"
#include "gui/window/TransferCommands.h"
#include "gui/window/WindowState.h"

#include <functional>

class QWidget;

namespace hx {

// File > Compare with File and Program > Compare with Radio: what the window holds
// against a data file or the radio's memory, field by field. Nothing is changed on
// either side.
class CompareCommands {
public:
    struct Window {
        QWidget* owner;
        std::function<MemoryImage()> encode; // the plug as the radio's image
    };
    CompareCommands(const WindowState& state, UserDialogs& dialogs, TransferCommands& transfers,
                    Window window);

    void compareWithFile();
    void compareWithRadio();

private:
    void show(bool radio, const std::string& otherName, const MemoryImage& other);

    const WindowState& state_;
    UserDialogs& dialogs_;
    TransferCommands& transfers_;
    Window window_;
};

} // namespace hx
