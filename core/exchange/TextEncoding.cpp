#include "core/exchange/TextEncoding.h"

#include "core/platform/Text.h"

#include <optional>

namespace hx {
namespace {

// The length of the UTF-8 sequence that starts at `lead`, 0 for a byte that starts none.
int SequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

using Converted = platform::ConvertedText;

// The bytes read as UTF-8 up to the first that is not.
Converted Utf8Prefix(std::string_view bytes) {
    std::size_t valid = 0;
    while (valid < bytes.size()) {
        const auto length =
            static_cast<std::size_t>(SequenceLength(static_cast<unsigned char>(bytes[valid])));
        if (length == 0 || valid + length > bytes.size() ||
            !IsValidUtf8(bytes.substr(valid, length)))
            return {std::string(bytes.substr(0, valid)), valid};
        valid += length;
    }
    return {std::string(bytes), std::nullopt};
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-16 after its byte order mark; a lone surrogate or an odd last byte stops it.
Converted Utf16AsUtf8(std::string_view bytes, bool bigEndian) {
    const auto unitAt = [&](std::size_t i) -> char16_t {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    Converted converted;
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = unitAt(i);
        if (unit < 0xD800 || unit > 0xDFFF) {
            AppendUtf8(converted.text, unit);
            continue;
        }
        const bool pairs = unit < 0xDC00 && i + 3 < bytes.size() && unitAt(i + 2) >= 0xDC00 &&
                           unitAt(i + 2) <= 0xDFFF;
        if (!pairs)
            break;
        AppendUtf8(converted.text, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                                       (unitAt(i + 2) - 0xDC00));
        i += 2;
    }
    if (i < bytes.size())
        converted.stoppedAt = i;
    return converted;
}

// Where the end of a readable text lies, as a line and the column after its last
// character.
TextPosition PositionAfter(std::string_view text) {
    TextPosition position;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            ++position.line;
            position.column = 1;
        } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++position.column;
        }
    }
    return position;
}

} // namespace

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int length = SequenceLength(lead);
        if (length == 0 || i + static_cast<std::size_t>(length) > bytes.size())
            return false;
        for (int k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]) & 0xC0) != 0x80)
                return false;
        if (length > 2) {
            // Overlong forms, surrogates and code points beyond U+10FFFF.
            const auto second = static_cast<unsigned char>(bytes[i + 1]);
            if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) ||
                (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90))
                return false;
        }
        i += static_cast<std::size_t>(length);
    }
    return true;
}

std::variant<std::string, TextPosition> SpreadsheetTextAsUtf8(std::string_view bytes) {
    for (const bool bigEndian : {false, true}) {
        if (!bytes.starts_with(bigEndian ? "\xFE\xFF" : "\xFF\xFE"))
            continue;
        Converted utf16 = Utf16AsUtf8(bytes.substr(2), bigEndian);
        if (utf16.stoppedAt)
            return PositionAfter(utf16.text);
        return std::move(utf16.text);
    }
    if (bytes.starts_with(kUtf8ByteOrderMark))
        bytes.remove_prefix(kUtf8ByteOrderMark.size());
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    Converted gb18030 = platform::Gb18030ToUtf8(bytes);
    if (!gb18030.stoppedAt)
        return std::move(gb18030.text);
    const Converted utf8 = Utf8Prefix(bytes);
    return PositionAfter(*utf8.stoppedAt >= *gb18030.stoppedAt ? utf8.text : gb18030.text);
}

} // namespace hx
