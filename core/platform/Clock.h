#pragma once

#include <ctime>

namespace hx::platform {

// `time` in this machine's time zone, with the zone's offset for strftime's %z.
std::tm LocalTime(std::time_t time);

} // namespace hx::platform
