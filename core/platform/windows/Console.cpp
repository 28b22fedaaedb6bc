#include "core/platform/Console.h"

#include "core/platform/windows/Api.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

namespace hx::platform {
namespace {

// The standard input read on a thread of its own: a console or a pipe cannot be
// waited on for a while the way poll waits on Linux. The thread reads until the input
// ends and is left running when the program ends.
class InputReader {
public:
    InputReader() {
        std::thread([this] { readUntilEnd(); }).detach();
    }

    std::optional<std::string> take(std::chrono::milliseconds atMost) {
        std::unique_lock lock(mutex_);
        if (!arrived_.wait_for(lock, atMost, [this] { return !pending_.empty() || ended_; }))
            return std::nullopt;
        if (pending_.empty()) // the end is told once, as read() tells it
            return std::exchange(ended_, false) ? std::optional<std::string>("") : std::nullopt;
        return std::exchange(pending_, {});
    }

private:
    void readUntilEnd() {
        const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
        char bytes[256];
        DWORD count = 0;
        while (::ReadFile(input, bytes, sizeof bytes, &count, nullptr) && count > 0) {
            std::lock_guard lock(mutex_);
            pending_.append(bytes, count);
            arrived_.notify_all();
        }
        std::lock_guard lock(mutex_);
        ended_ = true;
        arrived_.notify_all();
    }

    std::mutex mutex_;
    std::condition_variable arrived_;
    std::string pending_;
    bool ended_ = false;
};

} // namespace

void UseUtf8Console() {
    ::SetConsoleOutputCP(CP_UTF8);
    ::SetConsoleCP(CP_UTF8);
}

bool ErrorIsTerminal() {
    DWORD mode = 0;
    return ::GetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

std::optional<std::string> ReadInput(std::chrono::milliseconds atMost) {
    static InputReader reader;
    return reader.take(atMost);
}

} // namespace hx::platform
