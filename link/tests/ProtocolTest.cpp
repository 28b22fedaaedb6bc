#include "link/Protocol.h"

#include "link/PortNames.h"

#include <gtest/gtest.h>

namespace hx {
namespace {

// Protects the frame layout the radio parses: "W", address, 8, eight bytes.
TEST(Protocol, WriteFramesCarryTheirBlock) {
    MemoryImage image{};
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i);
    EXPECT_EQ(InitSendData(0, image), (WriteFrame{0x57, 0, 0, 8, 50, 51, 52, 53, 54, 55, 56, 57}));
    const WriteFrame b32 = InitSendData(32, image);
    EXPECT_EQ(b32[1], 1);
    EXPECT_EQ(b32[2], 0);
    EXPECT_EQ(b32[4], static_cast<std::uint8_t>(306));
    const WriteFrame b127 = InitSendData(127, image);
    EXPECT_EQ(b127[1], 3);
    EXPECT_EQ(b127[2], 0xF8);
    EXPECT_EQ(b127[11], static_cast<std::uint8_t>(1073));
}

TEST(Protocol, FailuresNameTheirStepAndBlock) {
    EXPECT_EQ(LinkFailure(LinkStep::WriteFrameAnswer, 50).message(),
              "no valid answer to the write frame of block 50");
    EXPECT_EQ(LinkFailure(LinkStep::ReadReply, 3, true, "Input/output error").message(),
              "the port failed during the read request of block 3: Input/output error");
}

TEST(PortNames, NumbersNameTheUsualCablesUnlessConfigured) {
    const auto none = std::filesystem::path("/nonexistent");
    EXPECT_EQ(DeviceForPort(1, none), "/dev/ttyUSB0");
    EXPECT_EQ(DeviceForPort(8, none), "/dev/ttyACM3");
    EXPECT_EQ(DeviceForPort(16, none), "/dev/ttyS7");
    EXPECT_EQ(DeviceForPort(17, none), "");
    EXPECT_EQ(PortNumberOf("com3"), 3);
    EXPECT_FALSE(PortNumberOf("/dev/ttyUSB0"));
}

} // namespace
} // namespace hx
