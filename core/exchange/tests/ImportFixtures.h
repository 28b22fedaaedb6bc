#pragma once

// What the plan import's tests share: the shipped settings, the fixture files, and how
// a refused row prints when an expectation fails.

#include "core/exchange/PlanImport.h"
#include "core/testsupport/FileContents.h"

#include <filesystem>
#include <ostream>
#include <string>

namespace hx {

inline void PrintTo(const RejectedRow& row, std::ostream* out) {
    *out << "line " << row.line << ": " << row.reason;
}

inline const std::filesystem::path kShippedSettings =
    std::filesystem::path(HX_SOURCE_DIR) / "data/Setting";

inline std::string Fixture(const char* name) {
    return FileBytes(std::filesystem::path(HX_SOURCE_DIR) / "core/exchange/tests/fixtures" / name);
}

} // namespace hx
