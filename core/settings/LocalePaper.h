#pragma once

namespace hx {

enum class Paper { A4, Letter };

// The paper size of the user's locale (LC_PAPER as the environment sets it, whether or
// not the program has taken its locale yet): Letter where it is the custom, A4
// everywhere else. Shared by the window's card and hxtool's.
Paper PaperOfLocale();

} // namespace hx
