#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace hx::platform {

// GB18030 bytes (what Chinese editions of Windows write as "ANSI") as UTF-8; nothing
// when the bytes hold a sequence GB18030 lacks or end inside one.
std::optional<std::string> Gb18030ToUtf8(std::string_view bytes);

} // namespace hx::platform
