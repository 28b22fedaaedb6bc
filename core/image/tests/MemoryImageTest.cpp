#include "core/image/MemoryImage.h"

#include <gtest/gtest.h>

namespace hx {
namespace {

// Protects the blank image that every encoding and every new file starts from.
TEST(MemoryImage, BlankImageIsAllFfButIdentityAndVersion) {
    const MemoryImage image = BlankImage();
    const std::string identity(image.begin(), image.begin() + 6);
    const std::string version(image.begin() + 10, image.begin() + 15);
    EXPECT_EQ(identity, "ROR55O");
    EXPECT_EQ(version, "V0100");
    for (std::size_t i = 0; i < kImageSize; ++i) {
        if (i < 6 || (i >= 10 && i < 15))
            continue;
        EXPECT_EQ(image[i], 0xFF) << "offset " << i;
    }
}

} // namespace
} // namespace hx
