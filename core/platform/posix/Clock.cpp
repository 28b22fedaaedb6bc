#include "core/platform/Clock.h"

namespace hx::platform {

std::tm LocalTime(std::time_t time) {
    std::tm local{};
    ::localtime_r(&time, &local);
    return local;
}

} // namespace hx::platform
