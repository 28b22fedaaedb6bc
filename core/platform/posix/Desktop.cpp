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
    // glibc hands the paper width in millimetres back as the pointer's value.
    const auto width = reinterpret_cast<std::intptr_t>(nl_langinfo_l(_NL_PAPER_WIDTH, locale));
    freelocale(locale);
    return static_cast<int>(width);
}

bool SystemShowsCompiledHelp() {
    return false;
}

} // namespace hx::platform
