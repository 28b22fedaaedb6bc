#include "core/platform/Text.h"

#include "core/platform/windows/Api.h"
#include "core/platform/windows/Wide.h"

namespace hx::platform {

std::optional<std::string> Gb18030ToUtf8(std::string_view bytes) {
    constexpr UINT kGb18030 = 54936;
    if (bytes.empty())
        return std::string();
    const int size = static_cast<int>(bytes.size());
    // Strict, as iconv is: a sequence GB18030 lacks fails the whole text.
    const int length =
        ::MultiByteToWideChar(kGb18030, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length == 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(kGb18030, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), length);
    return Narrowed(wide);
}

} // namespace hx::platform
