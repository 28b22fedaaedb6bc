#pragma once

#include "core/texts/Language.h"

#include <filesystem>
#include <string>
#include <vector>

namespace hx {

// The About box's own lines for a model series: the software's title and the
// radios it serves. Any other model code shows the 7200 lines.
struct AboutLines {
    std::string title;
    std::string models;
};
AboutLines AboutLinesFor(int modelCode, Language language);

// The help documents to try for a model and language, best first: the compiled
// help, then the HTML page of the same name for desktops without a viewer for it.
std::vector<std::filesystem::path> HelpDocumentsFor(const std::filesystem::path& appFolder,
                                                    int modelCode, Language language);

} // namespace hx
