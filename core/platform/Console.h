#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace hx::platform {

// Makes the console show the program's UTF-8 output as it is, whatever code page it
// was set to; nothing to do where consoles speak UTF-8.
void UseUtf8Console();

// Whether the standard error output is a terminal (a bar drawn there is seen).
bool ErrorIsTerminal();

// What the standard input brings within `atMost`: some bytes, an empty string at its
// end, or nothing when nothing came.
std::optional<std::string> ReadInput(std::chrono::milliseconds atMost);

} // namespace hx::platform
