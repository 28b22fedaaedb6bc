#pragma once

#include <ctime>

namespace hx::platform {

// `time` in this machine's time zone.
std::tm LocalTime(std::time_t time);

// How far this machine's local time is ahead of UTC at `time`, summer time included.
long UtcOffsetSeconds(std::time_t time);

} // namespace hx::platform
