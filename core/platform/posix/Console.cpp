#include "core/platform/Console.h"

#include <poll.h>
#include <unistd.h>

namespace hx::platform {

void UseUtf8Console() {}

bool ErrorIsTerminal() {
    return ::isatty(STDERR_FILENO) != 0;
}

std::optional<std::string> ReadInput(std::chrono::milliseconds atMost) {
    pollfd input{STDIN_FILENO, POLLIN, 0};
    if (::poll(&input, 1, static_cast<int>(atMost.count())) <= 0)
        return std::nullopt;
    char bytes[256];
    const ssize_t n = ::read(STDIN_FILENO, bytes, sizeof bytes);
    if (n < 0)
        return std::nullopt;
    return std::string(bytes, static_cast<std::size_t>(n));
}

} // namespace hx::platform
