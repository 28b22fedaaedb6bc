#include "programs/hxtool/Commands.h"

#include <ostream>

namespace hxtool {

// The card is drawn with Qt, which a build without Qt lacks.
int RunCard(const Invocation& invocation) {
    invocation.err << "hxtool card: not in this build (it needs Qt)\n";
    return kExitFailure;
}

} // namespace hxtool
