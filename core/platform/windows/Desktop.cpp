#include "core/platform/Desktop.h"

#include "core/platform/windows/Api.h"

namespace hx::platform {

int LocalPaperWidthMm() {
    constexpr DWORD kLetter = 1; // DMPAPER_LETTER
    constexpr DWORD kA4 = 9;     // DMPAPER_A4
    DWORD paper = 0;
    if (!::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_IPAPERSIZE | LOCALE_RETURN_NUMBER,
                           reinterpret_cast<LPWSTR>(&paper), sizeof paper / sizeof(wchar_t)))
        return 0;
    return paper == kLetter ? 216 : paper == kA4 ? 210 : 0;
}

bool SystemShowsCompiledHelp() {
    return true;
}

} // namespace hx::platform
