#include "core/platform/Desktop.h"

#include <cstdint>
#include <langinfo.h>
#include <locale.h>

namespace hx::platform {

int LocalPaperWidthMm() {
    // The environment's paper, whether or not the program has taken its locale yet.
    const locale_t locale = newlocale(LC_PAPER_MASK, "", nullptr);
    if (!locale)
        return 0;
    // glibc hands a numeric item back in the place of the text pointer: the width in
    // millimetres is a 32-bit word in its low half, and the high half is whatever the
    // memory held before, so only the word may be read.
    const auto place = reinterpret_cast<std::uintptr_t>(nl_langinfo_l(_NL_PAPER_WIDTH, locale));
    freelocale(locale);
    return static_cast<int>(static_cast<std::uint32_t>(place));
}

bool SystemShowsCompiledHelp() {
    return false;
}

} // namespace hx::platform
