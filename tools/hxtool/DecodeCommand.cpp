#include "tools/hxtool/Commands.h"

#include <iostream>

namespace hxtool {

int RunDecode(const Invocation&) {
    std::cerr << "hxtool: decode is not available in this build\n";
    return kExitUsage;
}

int RunEncode(const Invocation&) {
    std::cerr << "hxtool: encode is not available in this build\n";
    return kExitUsage;
}

} // namespace hxtool
