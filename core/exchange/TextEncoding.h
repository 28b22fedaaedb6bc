#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace hx {

// What Excel needs at the start of a file to read it as UTF-8 rather than as the
// system's code page, where Chinese would turn to garbage.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool IsValidUtf8(std::string_view bytes);

// A spreadsheet's text file as UTF-8 without the byte order mark. Bytes that are not
// UTF-8 are read as GB18030, what spreadsheets on Chinese Windows save; nothing when
// they are not that either.
std::optional<std::string> SpreadsheetTextAsUtf8(std::string_view bytes);

} // namespace hx
