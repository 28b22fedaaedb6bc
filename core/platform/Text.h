#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace hx::platform {

// What a conversion made of the bytes, and where it stopped when it could not go on.
struct ConvertedText {
    std::string text;
    std::optional<std::size_t> stoppedAt; // bytes read before the first unreadable one
};

// GB18030 bytes (what Chinese editions of Windows write as "ANSI") as UTF-8. Where the
// bytes hold a sequence GB18030 lacks, or end inside one, the text is what came before
// it and stoppedAt says where it lies.
ConvertedText Gb18030ToUtf8(std::string_view bytes);

} // namespace hx::platform
