#include "core/platform/Interrupts.h"

#include "core/platform/windows/Api.h"

#include <atomic>

namespace hx::platform {
namespace {

std::atomic<InterruptHandler::Handler> current{nullptr};

// Windows calls this on a thread of its own for Ctrl+C, Ctrl+Break and the closing
// console; true keeps the program running.
BOOL WINAPI OnConsoleEvent(DWORD) {
    const InterruptHandler::Handler target = current.load();
    if (target)
        target();
    return target ? TRUE : FALSE;
}

} // namespace

InterruptHandler::InterruptHandler(Handler handler) {
    current = handler;
    ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

InterruptHandler::~InterruptHandler() {
    ::SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
    current = nullptr;
}

} // namespace hx::platform
