#pragma once

#include <string_view>

namespace hx {

// The interface language; the numbers are the ones stored in the settings file.
enum class Language { Chinese = 1, English = 2 };

// The few words that the channel table cells show, needed by the decoder as well
// as by the window.
struct CellWords {
    std::string_view yes;
    std::string_view no;
    std::string_view noTone;
};

constexpr CellWords CellWordsFor(Language language) {
    if (language == Language::Chinese)
        return {"是", "否", "无"};
    return {"Yes", "No", "None"};
}

} // namespace hx
