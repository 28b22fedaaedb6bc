#pragma once

#include <QIcon>
#include <string_view>

namespace hx {

// The picture of a toolbar button by its key ("FileNew", "FileOpen", "FileSave", "Read",
// "Write", "Port", "Help", "Exit"): a page, a folder, a diskette, green arrows down and
// up, a computer, a life ring and a cross. They are drawn here rather than taken from
// the style, which first searches the desktop's icon theme, every folder of it for each
// name it tries, and then reads its own images through Qt's image plugins: together
// more time than building the rest of the window. Nothing for an unknown key.
QIcon ToolbarIcon(std::string_view key);

} // namespace hx
