#pragma once

#include <string>
#include <string_view>

// Text between the program's UTF-8 and the UTF-16 of the Windows API.
namespace hx::platform {

std::wstring Widened(std::string_view utf8);
std::string Narrowed(std::wstring_view utf16);

// The system's message for an error number of GetLastError, in UTF-8, without the
// line end Windows puts after it.
std::string SystemMessage(unsigned long error);

} // namespace hx::platform
