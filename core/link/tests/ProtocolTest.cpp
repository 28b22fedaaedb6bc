#include "core/link/Protocol.h"

#include "core/link/PortNames.h"
#include "core/link/Progress.h"
#include "core/testsupport/EmulatedRadioPort.h"
#include "core/testsupport/TestFolder.h"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

namespace hx {
namespace {

using namespace std::chrono_literals;

// A radio behind a scripted port: each send is answered, `answerAfter` pauses later,
// with what `answer` gives for it. The port notes sends and takes in order.
class ScriptedPort : public SerialPort {
public:
    std::function<std::vector<std::uint8_t>(std::span<const std::uint8_t>)> answer;
    int answerAfter = 0;
    std::chrono::milliseconds firstPause = 1ms; // as the computer stretched it
    bool pausesSleep = true;                    // false: every pause comes back at once
    std::vector<std::string> events;
    std::chrono::microseconds pausesAsked{}; // the pauses' lengths, added up

    void setBinaryMode() override {}
    void discardOutput() override {}
    void send(std::span<const std::uint8_t> bytes) override {
        events.push_back("send " + std::to_string(bytes[0]));
        pending_ = answer(bytes);
        pauses_ = 0;
    }
    void discardInput() override {}
    std::size_t waitingCount() override { return pauses_ >= answerAfter ? pending_.size() : 0; }
    std::vector<std::uint8_t> takeAll() override {
        events.push_back("take");
        return std::exchange(pending_, {});
    }
    void waitForInput(std::chrono::microseconds atMost) override {
        pausesAsked += atMost;
        if (pausesSleep)
            std::this_thread::sleep_for(pauses_ == 0 ? firstPause : atMost);
        ++pauses_;
    }

private:
    std::vector<std::uint8_t> pending_;
    int pauses_ = 0;
};

// Answers as a radio that follows the protocol.
std::vector<std::uint8_t> RadioAnswer(std::span<const std::uint8_t> sent) {
    if (sent[0] == 'R')
        return std::vector<std::uint8_t>(12, 'W');
    if (sent.size() == 1 && sent[0] == kStx)
        return std::vector<std::uint8_t>(8, 0);
    return {kAck};
}

// Protects the frame layout the radio parses: "W", address, 8, eight bytes.
TEST(Protocol, WriteFramesCarryTheirBlock) {
    MemoryImage image{};
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i);
    EXPECT_EQ(BuildWriteFrame(0, image),
              (WriteFrame{0x57, 0, 0, 8, 50, 51, 52, 53, 54, 55, 56, 57}));
    const WriteFrame b32 = BuildWriteFrame(32, image);
    EXPECT_EQ(b32[1], 1);
    EXPECT_EQ(b32[2], 0);
    EXPECT_EQ(b32[4], static_cast<std::uint8_t>(306));
    const WriteFrame b127 = BuildWriteFrame(127, image);
    EXPECT_EQ(b127[1], 3);
    EXPECT_EQ(b127[2], 0xF8);
    EXPECT_EQ(b127[11], static_cast<std::uint8_t>(1073));
}

TEST(Protocol, FailuresNameTheirStepAndBlock) {
    EXPECT_EQ(LinkFailure(LinkStep::WriteFrameAnswer, 50).message(),
              "no valid answer to the write frame of block 50");
    EXPECT_EQ(LinkFailure(LinkStep::ReadReply, 3, true, "Input/output error").message(),
              "the port failed during the read request of block 3: Input/output error");
    EXPECT_EQ(LinkFailure(LinkStep::AckAnswer, 64, true).message(),
              "the port failed during the acknowledgement before block 64");
}

// A computer that did not run the program for 80 ms in the middle of a wait has made
// one pause, not 80: the answer that comes ten pauses later is still taken.
TEST(RadioLink, AStallOfTheComputerDoesNotUseUpTheBudget) {
    ScriptedPort port;
    port.answer = RadioAnswer;
    port.answerAfter = 10;
    port.firstPause = 80ms;
    const auto answer =
        RadioLink(port).exchange(LinkStep::LeadCodeAnswer, -1, LeadCode, kLeadCodeWait);
    EXPECT_TRUE(std::holds_alternative<std::vector<std::uint8_t>>(answer));
}

// A silent radio is given up on after its budget of pauses, each patience / 50 long,
// never sooner, even when pauses come back early; the failure is told once a late
// answer has had one more patience to arrive and be cleared, and not later, counted
// in the pauses the link asked for (a loaded computer may stretch them).
TEST(RadioLink, ASilentRadioFailsWithinItsBudgetAndOnePatience) {
    for (const auto patience : {kLeastPatience, 100ms}) {
        for (const bool pausesSleep : {false, true}) {
            ScriptedPort port;
            port.answer = [](std::span<const std::uint8_t>) { return std::vector<std::uint8_t>{}; };
            port.pausesSleep = pausesSleep;
            const std::uint8_t request[] = {'R', 0, 24, 8};
            const auto start = std::chrono::steady_clock::now();
            const auto answer =
                RadioLink(port, patience).exchange(LinkStep::ReadReply, 3, request, kReadReplyWait);
            const auto budget = patience * 76 / 50;
            EXPECT_GE(std::chrono::steady_clock::now() - start, budget);
            if (pausesSleep) {
                EXPECT_LE(port.pausesAsked, budget + patience * 51 / 50 + patience / 25);
            }
            ASSERT_TRUE(std::holds_alternative<LinkFailure>(answer));
            EXPECT_EQ(std::get<LinkFailure>(answer).message(),
                      "no valid answer to the read request of block 3");
        }
    }
    EXPECT_EQ(PatienceOf(10ms), kLeastPatience);
}

hxsim::RadioMemory Blank() {
    hxsim::RadioMemory memory;
    memory.fill(0xFF);
    return memory;
}

// An answer that comes after the wait has given up belongs to its own step: the next
// step, whose radio answers at once, must not begin its answer with it.
TEST(RadioLink, ALateAnswerIsNeverTakenForTheNextStep) {
    EmulatedRadioPort port(Blank());
    port.latency = [calls = 0]() mutable { return calls++ == 0 ? 80ms : 0ms; };
    RadioLink link(port, kLeastPatience);
    ASSERT_TRUE(std::holds_alternative<LinkFailure>(
        link.exchange(LinkStep::LeadCodeAnswer, -1, LeadCode, kLeadCodeWait)));
    const std::uint8_t request[] = {'R', 0, 24, 8};
    const auto reply = link.exchange(LinkStep::ReadReply, 3, request, kReadReplyWait);
    ASSERT_TRUE(std::holds_alternative<std::vector<std::uint8_t>>(reply));
    EXPECT_EQ(std::get<std::vector<std::uint8_t>>(reply).front(), 'W');
}

// A radio that answers at once but takes 150 ms over one answer in a hundred: the
// default patience waits for it, where pauses of 1 ms would give up on it.
TEST(RadioLink, RareSlowAnswersAreWaitedFor) {
    const auto spikes = [] {
        return [calls = 0]() mutable { return ++calls % 100 == 50 ? 150ms : 0ms; };
    };
    MemoryImage image = BlankImage();
    for (std::size_t i = kHeaderSize; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 13);
    EmulatedRadioPort radio(Blank());
    radio.latency = spikes();
    ASSERT_FALSE(WriteRadio(radio, image, {})) << "write";
    radio.latency = spikes();
    const auto read = ReadRadio(radio, BlankImage(), {});
    ASSERT_TRUE(std::holds_alternative<MemoryImage>(read));
    EXPECT_TRUE(std::equal(image.begin() + kHeaderSize,
                           image.begin() + kHeaderSize + 8 * kWriteBlockCount,
                           std::get<MemoryImage>(read).begin() + kHeaderSize));

    EmulatedRadioPort impatient(Blank());
    impatient.latency = spikes();
    EXPECT_TRUE(WriteRadio(impatient, image, {}, kLeastPatience));
}

// Showing a frame's progress takes no time of the transfer: it happens while the
// frame's bytes are on the line, between its send and its answer.
TEST(RadioLink, ProgressIsShownWhileTheFrameTravels) {
    for (const bool write : {true, false}) {
        ScriptedPort port;
        port.answer = RadioAnswer;
        const Progress note = [&](int b) {
            port.events.push_back("progress " + std::to_string(b));
        };
        const MemoryImage image = BlankImage();
        if (write)
            ASSERT_FALSE(WriteRadio(port, image, note));
        else
            ASSERT_TRUE(std::holds_alternative<MemoryImage>(ReadRadio(port, image, note)));
        const std::string frameSend = write ? "send 87" : "send 82"; // "W" or "R"
        int shown = 0;
        for (std::size_t i = 1; i + 1 < port.events.size(); ++i) {
            if (port.events[i] != "progress " + std::to_string(shown))
                continue;
            EXPECT_EQ(port.events[i - 1], frameSend) << shown;
            EXPECT_EQ(port.events[i + 1], "take") << shown;
            ++shown;
        }
        EXPECT_EQ(shown, write ? kWriteBlockCount : kReadBlockCount);
    }
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

// hxtool's --port: a number through the port table, a path as it is; a name that
// gives no device says which numbers there are and which are present. The window's
// choices show each number's device and whether it is there.
TEST(PortNames, ACommandLineNameIsAPortNumberOrADevice) {
    TestFolder folder("port_names");
    const auto device = folder.path() / "cable";
    std::ofstream(device).put('x');
    std::ofstream table(folder.path() / "Ports.ini");
    table << "[Ports]\n";
    for (int n = 1; n <= kPortCount; ++n) // none of this computer's own ports
        table << "COM" << n << "=" << (n == 5 ? device : folder.path() / "absent").string() << "\n";
    table.close();
    EXPECT_EQ(std::get<std::string>(DeviceForPortName("com5", folder.path())), device.string());
    EXPECT_EQ(std::get<std::string>(DeviceForPortName("/dev/ttyS3", folder.path())), "/dev/ttyS3");
    for (const char* name : {"COM0", "COM99", "COM123456789012", ""}) {
        const auto result = DeviceForPortName(name, folder.path());
        const auto* error = std::get_if<PortNameError>(&result);
        ASSERT_TRUE(error) << name;
        EXPECT_NE(error->message.find("COM1 to COM16"), std::string::npos) << error->message;
        EXPECT_NE(error->message.find("present now: COM5)"), std::string::npos) << error->message;
    }
    EXPECT_EQ(std::get<PortNameError>(DeviceForPortName("COM0", folder.path())).message,
              "COM0 names no device; the ports are COM1 to COM16 (present now: COM5), or give "
              "a device path");
    const auto choices = ListPortChoices(folder.path());
    ASSERT_EQ(choices.size(), 16u);
    EXPECT_EQ(choices[4].number, 5);
    EXPECT_EQ(choices[4].device, device.string());
    EXPECT_TRUE(choices[4].present);
    EXPECT_FALSE(choices[3].present);
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
