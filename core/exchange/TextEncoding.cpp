#include "core/exchange/TextEncoding.h"

#include <cerrno>
#include <iconv.h>
#include <memory>

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

std::optional<std::string> Gb18030AsUtf8(std::string_view bytes) {
    const iconv_t opened = iconv_open("UTF-8", "GB18030");
    if (opened == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    const std::unique_ptr<void, int (*)(iconv_t)> converter(opened, iconv_close);
    std::string in(bytes);
    char* inPointer = in.data();
    std::size_t inLeft = in.size();
    std::string out;
    char buffer[4096];
    while (inLeft > 0) {
        char* outPointer = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t done = iconv(opened, &inPointer, &inLeft, &outPointer, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPointer - buffer));
        if (done == static_cast<std::size_t>(-1) && errno != E2BIG)
            return std::nullopt; // a byte sequence GB18030 lacks, or one cut off at the end
    }
    return out;
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
    return Gb18030AsUtf8(bytes);
}

} // namespace hx
