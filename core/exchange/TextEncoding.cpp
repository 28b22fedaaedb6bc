#include "core/exchange/TextEncoding.h"

#include "core/platform/Text.h"

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

std::optional<std::string> SpreadsheetTextAsUtf8(std::string_view bytes) {
    if (bytes.starts_with(kUtf8ByteOrderMark))
        bytes.remove_prefix(kUtf8ByteOrderMark.size());
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    return platform::Gb18030ToUtf8(bytes);
}

} // namespace hx
