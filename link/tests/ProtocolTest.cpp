#include "link/Protocol.h"

#include "link/PortNames.h"
#include "link/Progress.h"
#include "testsupport/TestFolder.h"

#include <fstream>
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

TEST(PortNames, ChoicesShowTheirDeviceAndWhetherItIsThere) {
    TestFolder folder("port_choices");
    const auto device = folder.path() / "cable";
    std::ofstream(device).put('x');
    std::ofstream(folder.path() / "Ports.ini") << "[Ports]\nCOM5=" << device.string() << "\n";
    const auto choices = ListPortChoices(folder.path());
    ASSERT_EQ(choices.size(), 16u);
    EXPECT_EQ(choices[4].number, 5);
    EXPECT_EQ(choices[4].device, device.string());
    EXPECT_TRUE(choices[4].present);
    EXPECT_EQ(choices[15].device, "/dev/ttyS7");
}

// The status bar is rewritten per frame below ten per cent, then once per step;
// the bar ends at its maximum exactly when the last frame begins.
TEST(Progress, TextSteppingAndTheLastFrame) {
    for (const int total : {kWriteBlockCount, kReadBlockCount}) {
        int step = 0;
        int rewrites = 0;
        int belowTen = 0;
        for (int n = 0; n < total - 1; ++n) {
            const ProgressReport r = ReportProgress(n, total, step);
            EXPECT_TRUE(r.shown);
            EXPECT_EQ(r.barValue, n);
            EXPECT_FALSE(r.lastFrame);
            rewrites += r.rewriteText;
            belowTen += r.rewriteText && r.lastStep == 0;
            step = r.lastStep;
        }
        EXPECT_EQ(rewrites, belowTen + 9) << total; // steps 10 to 90
        const ProgressReport last = ReportProgress(total - 1, total, step);
        EXPECT_TRUE(last.lastFrame);
        EXPECT_EQ(last.barValue, total - 1);
        EXPECT_EQ(last.lastStep, 0);
    }
    // The twelfth of 123 frames is 9.76 %, which rounds into the 10 % step.
    EXPECT_EQ(ReportProgress(11, kWriteBlockCount, 0).lastStep, 10);
    EXPECT_FALSE(ReportProgress(kWriteBlockCount + 1, kWriteBlockCount, 30).shown);
    EXPECT_EQ(ReportProgress(kWriteBlockCount + 1, kWriteBlockCount, 30).lastStep, 30);
}

} // namespace
} // namespace hx
