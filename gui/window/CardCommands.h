#pragma once

#include "core/image/ImageDecoder.h"
#include "gui/card/ChannelCard.h"
#include "gui/dialogs/UserDialogs.h"
#include "gui/window/WindowState.h"

#include <functional>

namespace hx {

// File > Print… and File > Export PDF…: the channel card of what the window holds.
class CardCommands {
public:
    struct Window {
        std::function<MemoryImage()> encode; // the image Save would write
        std::function<DecoderState()> shown; // the sub-model, functions and channels shown
    };
    CardCommands(const WindowState& state, UserDialogs& dialogs, Window window);

    void print();
    void exportPdf();

private:
    ChannelCard card() const;

    const WindowState& state_;
    UserDialogs& dialogs_;
    Window window_;
};

} // namespace hx
