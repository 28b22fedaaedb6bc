#pragma once

#include <filesystem>

namespace hx {

// Where Setting, Data and Help live: beside the program when that folder may be
// written (a portable copy, the build tree), otherwise `userDir`, seeded with the
// shipped Setting and Help files that are not there yet.
std::filesystem::path ChooseAppFolder(const std::filesystem::path& programDir,
                                      const std::filesystem::path& userDir);

} // namespace hx
