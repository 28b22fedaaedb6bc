#include "core/settings/LocalePaper.h"

#include <cstdint>
#include <langinfo.h>
#include <locale.h>

namespace hx {
namespace {

constexpr std::uint32_t kLetterWidthMm = 216;

} // namespace

Paper PaperOfLocale() {
    const locale_t locale = newlocale(LC_PAPER_MASK, "", nullptr);
    if (!locale)
        return Paper::A4;
    // glibc hands a numeric item back in the place of the text pointer: the width in
    // millimetres is a 32-bit word in its low half, and the high half is whatever the
    // memory held before, so only the word may be read.
    const auto place = reinterpret_cast<std::uintptr_t>(nl_langinfo_l(_NL_PAPER_WIDTH, locale));
    const auto width = static_cast<std::uint32_t>(place);
    freelocale(locale);
    return width == kLetterWidthMm ? Paper::Letter : Paper::A4;
}

} // namespace hx
