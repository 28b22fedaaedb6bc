#include "app/profile/ModelProfile.h"

#include "codeplug/Frequency.h"

namespace hx {

std::optional<int> ModelProfile::bandCode(int s) const {
    if (s < 0 || s >= kMaxSubModels)
        return std::nullopt;
    const auto value = ParseNumber(subModelTable[static_cast<std::size_t>(4 * s + 3)]);
    if (!value || *value < -1e9 || *value > 1e9)
        return std::nullopt;
    return static_cast<int>(RoundHalfEven(*value));
}

} // namespace hx
