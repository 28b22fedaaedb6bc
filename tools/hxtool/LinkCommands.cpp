#include "tools/hxtool/Commands.h"

#include <iostream>

namespace hxtool {

int RunRead(const Invocation&) {
    std::cerr << "hxtool: read is not available in this build\n";
    return kExitUsage;
}

int RunWrite(const Invocation&) {
    std::cerr << "hxtool: write is not available in this build\n";
    return kExitUsage;
}

} // namespace hxtool
