#pragma once

namespace hx {

// The interface language; the numbers are the ones stored in the settings file.
enum class Language { Chinese = 1, English = 2 };

} // namespace hx
