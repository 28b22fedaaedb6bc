#pragma once

#include "core/image/MemoryImage.h"

#include <filesystem>
#include <iosfwd>

namespace hxtool {

// Saves the image a read brought from the radio to `output`. When the output cannot
// take it after all, the image goes to a new rescue file in `dataDir` (or, failing
// that, the temporary folder) so the transfer is not lost; `err` says where. Returns
// the exit status.
int SaveReadImage(const hx::MemoryImage& image, const std::filesystem::path& output,
                  const std::filesystem::path& dataDir, std::ostream& err);

} // namespace hxtool
