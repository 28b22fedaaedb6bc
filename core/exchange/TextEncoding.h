#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace hx {

// What Excel needs at the start of a file to read it as UTF-8 rather than as the
// system's code page, where Chinese would turn to garbage.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool IsValidUtf8(std::string_view bytes);

// Where a text stops being readable: the line (from 1, CRLF, LF and CR each ending
// one) and the column (from 1, in characters) of the first byte that cannot be read.
struct TextPosition {
    int line = 1;
    int column = 1;
    bool operator==(const TextPosition&) const = default;
};

// A spreadsheet's text file as UTF-8 without the byte order mark. UTF-16 with its
// byte order mark, either order, is Excel's "Unicode text". Bytes that are not UTF-8
// are read as GB18030, what spreadsheets on Chinese Windows save; when they are not
// that either, the position of the first byte that neither reads, as far as the
// likelier of the two got.
std::variant<std::string, TextPosition> SpreadsheetTextAsUtf8(std::string_view bytes);

} // namespace hx
