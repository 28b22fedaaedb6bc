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

} // namespace

std::optional<std::string> Gb18030ToUtf8(std::string_view bytes) {
    if (bytes.empty())
        return std::string();
    UINT codePage = kGb18030;
    int length = Widen(codePage, bytes, nullptr, 0);
    // A system without the GB18030 tables (Wine) still reads what GBK covers, which
    // is every file a Chinese spreadsheet writes in practice.
    if (length == 0 && ::GetLastError() == ERROR_INVALID_PARAMETER) {
        codePage = kGbk;
        length = Widen(codePage, bytes, nullptr, 0);
    }
    if (length == 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    Widen(codePage, bytes, wide.data(), length);
    return Narrowed(wide);
}

} // namespace hx::platform
