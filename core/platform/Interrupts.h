#pragma once

namespace hx::platform {

// While it lives, an interrupt (Ctrl+C, or a request to end such as SIGTERM or the
// console closing) calls `handler` instead of ending the program. The handler may run
// on any thread or in a signal handler: it may only touch lock-free atomics.
class InterruptHandler {
public:
    using Handler = void (*)();
    explicit InterruptHandler(Handler handler);
    ~InterruptHandler();
    InterruptHandler(const InterruptHandler&) = delete;
    InterruptHandler& operator=(const InterruptHandler&) = delete;
};

} // namespace hx::platform
