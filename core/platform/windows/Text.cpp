#include "core/platform/Text.h"

#include "core/platform/windows/Api.h"
#include "core/platform/windows/Wide.h"

namespace hx::platform {
namespace {

constexpr UINT kGb18030 = 54936;
constexpr UINT kGbk = 936; // GB18030's two-byte part

// Strict, as iconv is: a sequence the code page lacks fails the whole text. 0 when it
// fails, with the reason in GetLastError.
int Widen(UINT codePage, std::string_view bytes, wchar_t* out, int room) {
    return ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                 static_cast<int>(bytes.size()), out, room);
}

// The bytes of GB18030's sequence that starts at `at`: one below 0x80, four where the
// second byte is a digit, else two.
std::size_t SequenceLength(std::string_view bytes, std::size_t at) {
    if (static_cast<unsigned char>(bytes[at]) < 0x80 || at + 1 >= bytes.size())
        return 1;
    const auto second = static_cast<unsigned char>(bytes[at + 1]);
    return second >= '0' && second <= '9' ? 4 : 2;
}

std::string Converted(UINT codePage, std::string_view bytes) {
    const int length = Widen(codePage, bytes, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    Widen(codePage, bytes, wide.data(), length);
    return Narrowed(wide);
}

} // namespace

ConvertedText Gb18030ToUtf8(std::string_view bytes) {
    if (bytes.empty())
        return {};
    UINT codePage = kGb18030;
    int length = Widen(codePage, bytes, nullptr, 0);
    // A system without the GB18030 tables (Wine) still reads what GBK covers, which
    // is every file a Chinese spreadsheet writes in practice.
    if (length == 0 && ::GetLastError() == ERROR_INVALID_PARAMETER) {
        codePage = kGbk;
        length = Widen(codePage, bytes, nullptr, 0);
    }
    if (length != 0)
        return {Converted(codePage, bytes), std::nullopt};
    // The code page fails a text whole; sequence by sequence finds where it stops.
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t next = at + SequenceLength(bytes, at);
        if (next > bytes.size() || Widen(codePage, bytes.substr(at, next - at), nullptr, 0) == 0)
            break;
        at = next;
    }
    return {at == 0 ? std::string() : Converted(codePage, bytes.substr(0, at)), at};
}

} // namespace hx::platform
