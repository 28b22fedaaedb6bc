#pragma once

#include "core/platform/Process.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace hx {

// A fresh portable application folder named after `name`, with the shipped
// Setting files unless `shipped` is false, and `settings` appended to the 7200
// profile's Setting section.
inline std::filesystem::path MakeTestAppFolder(const std::string& name, const std::string& settings,
                                               bool shipped = true) {
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / (name + "_" + std::to_string(hx::platform::ThisProcessId()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    if (shipped)
        fs::copy(fs::path(HX_SOURCE_DIR) / "data/Setting", folder / "Setting");
    if (!settings.empty())
        std::ofstream(folder / "Setting/Config_7200.ini", std::ios::app) << "\n[Setting]\n"
                                                                         << settings;
    return folder;
}

} // namespace hx
