#include "core/platform/Clock.h"

namespace hx::platform {

std::tm LocalTime(std::time_t time) {
    std::tm local{};
    ::localtime_r(&time, &local);
    return local;
}

long UtcOffsetSeconds(std::time_t time) {
    return LocalTime(time).tm_gmtoff;
}

} // namespace hx::platform
