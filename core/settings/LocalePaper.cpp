#include "core/settings/LocalePaper.h"

#include "core/platform/Desktop.h"

namespace hx {

Paper PaperOfLocale() {
    constexpr int kLetterWidthMm = 216;
    return platform::LocalPaperWidthMm() == kLetterWidthMm ? Paper::Letter : Paper::A4;
}

} // namespace hx
