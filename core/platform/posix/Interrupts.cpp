#include "core/platform/Interrupts.h"

#include <atomic>
#include <csignal>

namespace hx::platform {
namespace {

std::atomic<InterruptHandler::Handler> current{nullptr};
struct sigaction oldInt {};
struct sigaction oldTerm {};

} // namespace

InterruptHandler::InterruptHandler(Handler handler) {
    current = handler;
    struct sigaction action {};
    action.sa_handler = [](int) {
        if (const Handler target = current.load())
            target();
    };
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, &oldInt);
    ::sigaction(SIGTERM, &action, &oldTerm);
}

InterruptHandler::~InterruptHandler() {
    ::sigaction(SIGINT, &oldInt, nullptr);
    ::sigaction(SIGTERM, &oldTerm, nullptr);
    current = nullptr;
}

} // namespace hx::platform
