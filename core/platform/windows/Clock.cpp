#include "core/platform/Clock.h"

namespace hx::platform {

std::tm LocalTime(std::time_t time) {
    std::tm local{};
    ::localtime_s(&local, &time); // this thread's own copy, as localtime_r gives on Linux
    return local;
}

long UtcOffsetSeconds(std::time_t time) {
    std::tm local = LocalTime(time);
    return static_cast<long>(::_mkgmtime(&local) - time); // the local fields read as UTC
}

} // namespace hx::platform
