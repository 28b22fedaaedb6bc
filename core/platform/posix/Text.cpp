#include "core/platform/Text.h"

#include <cerrno>
#include <iconv.h>
#include <memory>

namespace hx::platform {

ConvertedText Gb18030ToUtf8(std::string_view bytes) {
    const iconv_t opened = iconv_open("UTF-8", "GB18030");
    if (opened == reinterpret_cast<iconv_t>(-1))
        return {{}, 0};
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
            // a byte sequence GB18030 lacks, or one cut off at the end
            return {out, static_cast<std::size_t>(inPointer - in.data())};
    }
    return {out, std::nullopt};
}

} // namespace hx::platform
