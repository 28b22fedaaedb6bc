// Transfers over a real pseudo-terminal, through the QSerialPort adapter, against
// the radio emulator.
#include "adapters/serial/PortLock.h"
#include "adapters/serial/QtSerialPort.h"
#include "core/image/DataFile.h"
#include "core/link/Protocol.h"
#include "core/testsupport/EmulatorProcess.h"
#include "core/testsupport/TestFolder.h"

#include <QCoreApplication>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace hx {
namespace {

namespace fs = std::filesystem;

// QSerialPort wants an application object even when it is only waited on.
class QtApplication : public testing::Environment {
public:
    void SetUp() override { app_ = std::make_unique<QCoreApplication>(argc_, argv_); }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[8] = "pty";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> app_;
};
const auto* const kApplication = testing::AddGlobalTestEnvironment(new QtApplication);

class PtyTransfer : public testing::Test {
protected:
    void SetUp() override {
        for (std::size_t i = 0; i < image_.size(); ++i)
            image_[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    void TearDown() override {
        sim_.reset();
        port_.close();
        for (const auto& lock : locks_) // a lock left behind would hold its pty's next user
            fs::remove(lock);
    }
    void launchSim(std::vector<std::string> args, bool fast = true) {
        args.insert(args.end(), {"--log", (dir_ / "frames.log").string()});
        if (fast)
            args.push_back("--fast");
        sim_ = std::make_unique<EmulatorProcess>(args);
        ASSERT_FALSE(sim_->device().empty());
    }
    // A lock file for the emulator's device, as a transfer killed a while ago left it.
    fs::path makeLock(const std::string& content, bool justMade = false) {
        const fs::path lock = PortLockPath(sim_->device());
        locks_.push_back(lock);
        std::ofstream(lock) << content;
        if (!justMade)
            fs::last_write_time(lock, fs::file_time_type::clock::now() - std::chrono::seconds(10));
        return lock;
    }
    void startSim(std::vector<std::string> args, bool fast = true) {
        launchSim(std::move(args), fast);
        port_.open(sim_->device());
    }
    // The frames the radio received, once `count` of them have arrived.
    std::vector<std::string> frames(std::size_t count = 0) const {
        std::vector<std::string> lines;
        for (int attempt = 0; attempt < 100; ++attempt) {
            lines.clear();
            std::ifstream in(dir_ / "frames.log");
            for (std::string line; std::getline(in, line);)
                lines.push_back(line);
            if (lines.size() >= count)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return lines;
    }
    static std::string HexBlock(const MemoryImage& image, int block) {
        std::string text;
        char digits[4];
        for (int i = 0; i < 8; ++i) {
            std::snprintf(digits, sizeof digits, " %02X", image[50 + 8 * block + i]);
            text += digits;
        }
        return text;
    }

    TestFolder folder_{"hx_pty"};
    const fs::path dir_ = folder_.path();
    MemoryImage image_{};
    std::unique_ptr<EmulatorProcess> sim_;
    QtSerialPort port_;
    std::vector<fs::path> locks_;
};

// A full write sends 123 frames of the image, a full read 128 requests, and what is
// read back is what was written.
TEST_F(PtyTransfer, FullWriteAndReadBack) {
    startSim({});
    std::vector<int> progress;
    ASSERT_FALSE(WriteRadio(port_, image_, [&](int b) { progress.push_back(b); }));
    EXPECT_EQ(progress.size(), 123u);
    MemoryImage blank = BlankImage();
    const auto read = ReadRadio(port_, blank, {});
    ASSERT_TRUE(std::holds_alternative<MemoryImage>(read)) << std::get<LinkFailure>(read).message();
    const auto& back = std::get<MemoryImage>(read);
    for (std::size_t i = 50; i < 1034; ++i)
        ASSERT_EQ(back[i], image_[i]) << "offset " << i;
    EXPECT_EQ(back[1034], 0xFF) << "the last five blocks are never written";
    EXPECT_EQ(back[0], 'R') << "the header does not travel";

    const auto log = frames(126 + 2 + 2 * 128 + 1);
    ASSERT_EQ(log.size(), 126u + 2 + 2 * 128 + 1);
    EXPECT_EQ(log[0], "02 50 52 4F 47 52 41 4D");
    EXPECT_EQ(log[1], "02");
    EXPECT_EQ(log[2], "06");
    for (int b = 0; b < 123; ++b) {
        char head[16];
        std::snprintf(head, sizeof head, "57 %02X %02X 08", b / 32, (b % 32) * 8);
        ASSERT_EQ(log[3 + b], head + HexBlock(image_, b)) << "block " << b;
    }
    EXPECT_EQ(log[125].substr(0, 11), "57 03 D0 08");
    for (int b = 0; b < 128; ++b) {
        char request[16];
        std::snprintf(request, sizeof request, "52 %02X %02X 08", b / 32, (b % 32) * 8);
        ASSERT_EQ(log[128 + 2 * b], "06");
        ASSERT_EQ(log[129 + 2 * b], request);
    }
    EXPECT_EQ(log.back(), "06");
}

TEST_F(PtyTransfer, EachFaultFailsAtItsStepAndNothingFollows) {
    struct Case {
        std::vector<std::string> fault;
        bool write;
        LinkStep step;
        int block;
        std::size_t framesSent;
    };
    const Case cases[] = {
        {{"--no-lead-answer"}, true, LinkStep::LeadCodeAnswer, -1, 1},
        {{"--wrong-lead-answer"}, false, LinkStep::LeadCodeAnswer, -1, 1},
        {{"--short-identity"}, true, LinkStep::IdentityAnswer, -1, 2},
        {{"--no-ack-from", "50"}, true, LinkStep::WriteFrameAnswer, 50, 3 + 51},
        {{"--no-ack-from", "7"}, false, LinkStep::AckAnswer, 7, 2 + 2 * 7 + 1},
        {{"--short-reply-at", "10"}, false, LinkStep::ReadReply, 10, 2 + 2 * 11},
        {{"--ack-reply-at", "127"}, false, LinkStep::ReadReply, 127, 2 + 2 * 128},
        // A radio that goes away at the last frame must never look like a success.
        {{"--hang-up-at", "122"}, true, LinkStep::WriteFrameAnswer, 122, 3 + 123},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault.front());
        fs::remove(dir_ / "frames.log");
        startSim(c.fault);
        std::optional<LinkFailure> failure;
        if (c.write) {
            failure = WriteRadio(port_, image_, {});
        } else {
            auto read = ReadRadio(port_, image_, {});
            if (auto* f = std::get_if<LinkFailure>(&read))
                failure = *f;
        }
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->step, c.step) << failure->message();
        EXPECT_EQ(failure->block, c.block);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        EXPECT_EQ(frames(c.framesSent).size(), c.framesSent);
        port_.close();
        sim_.reset();
    }
}

// A radio that hangs up mid-transfer: the failure names the step that was running and
// no system text that says nothing ("Unknown error", "Inappropriate ioctl for device").
TEST_F(PtyTransfer, AHangUpNamesItsStepAndNoEmptySystemText) {
    startSim({"--hang-up-before", "64"});
    auto read = ReadRadio(port_, image_, {});
    ASSERT_TRUE(std::holds_alternative<LinkFailure>(read));
    EXPECT_EQ(std::get<LinkFailure>(read).message(),
              "the port failed during the acknowledgement before block 64");
    port_.close();

    startSim({"--hang-up-at", "50"});
    const auto failure = WriteRadio(port_, image_, {});
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->step, LinkStep::WriteFrameAnswer);
    EXPECT_EQ(failure->message().find(": "), std::string::npos) << failure->message();
}

// A lock whose owner is gone does not keep the port: neither one left empty by a
// process killed before it wrote its number, nor one naming a process that has ended.
TEST_F(PtyTransfer, AStaleLockIsClearedAtOnce) {
    for (const char* content : {"", "4194999\nhxtool\n"}) {
        launchSim({});
        const auto lock = makeLock(content);
        ASSERT_NO_THROW(port_.open(sim_->device())) << "lock holding \"" << content << '"';
        EXPECT_FALSE(WriteRadio(port_, image_, {}));
        port_.close();
        EXPECT_FALSE(fs::exists(lock));
        sim_.reset();
    }
}

// A port that a live process holds is reported with its holder where it is known, and
// its lock is left alone.
TEST_F(PtyTransfer, APortInUseNamesItsHolder) {
    startSim({});
    QtSerialPort second;
    try {
        second.open(sim_->device());
        FAIL() << "opened a port that is in use";
    } catch (const PortInUse& error) {
        EXPECT_EQ(error.device(), sim_->device());
        EXPECT_EQ(error.holder().pid, ::getpid());
        EXPECT_EQ(error.holder().program, "serial_pty_tests");
        EXPECT_EQ(std::string(error.what()), sim_->device() +
                                                 " is in use by serial_pty_tests (PID " +
                                                 std::to_string(::getpid()) + ")");
    }
    port_.close();

    // A holder that has created its lock and not yet written its number: it holds the
    // file's lock meanwhile.
    const auto lock = makeLock("");
    const int fd = ::open(lock.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    try {
        port_.open(sim_->device());
        FAIL() << "opened a port whose lock is being taken";
    } catch (const PortInUse& error) {
        EXPECT_EQ(error.holder().pid, 0);
        EXPECT_EQ(std::string(error.what()), sim_->device() + " is in use by another program");
    }
    EXPECT_TRUE(fs::exists(lock));
    ::close(fd);

    // One just created and not yet locked by its maker is as good as taken.
    fs::remove(lock);
    makeLock("", true);
    EXPECT_THROW(port_.open(sim_->device()), PortInUse);
    EXPECT_TRUE(fs::exists(lock));
}

// Radios of one hxsim keep their own memory, their own file and their own faults: the
// faulty one acknowledges every frame and still holds a wrong byte, the one whose
// memory file exists starts from it.
TEST_F(PtyTransfer, SeveralRadiosEachKeepTheirOwnMemoryAndFaults) {
    MemoryImage stored = BlankImage();
    for (std::size_t i = kHeaderSize; i < stored.size(); ++i)
        stored[i] = static_cast<std::uint8_t>(i * 13);
    ASSERT_TRUE(
        std::holds_alternative<std::monostate>(WriteDataFile(dir_ / "radio-3.dat", stored)));
    sim_ = std::make_unique<EmulatorProcess>(
        std::vector<std::string>{"--radios", "3", "--memory", (dir_ / "radio-%n.dat").string(),
                                 "--faulty", "2", "--corrupt", "0x13", "--fast"});
    ASSERT_EQ(sim_->devices().size(), 3u);

    const MemoryImage blank = BlankImage();
    const auto readBack = [&](const std::string& device) {
        port_.open(device);
        auto read = ReadRadio(port_, blank, {});
        port_.close();
        EXPECT_TRUE(std::holds_alternative<MemoryImage>(read));
        return std::holds_alternative<MemoryImage>(read) ? std::get<MemoryImage>(read)
                                                         : MemoryImage{};
    };
    EXPECT_EQ(readBack(sim_->devices()[2]), stored);
    for (const auto& device : {sim_->devices()[0], sim_->devices()[1]}) {
        port_.open(device);
        EXPECT_FALSE(WriteRadio(port_, image_, {})) << device;
        port_.close();
    }
    MemoryImage expected = image_;
    std::copy(blank.begin(), blank.begin() + kHeaderSize, expected.begin());
    std::fill(expected.begin() + 1034, expected.end(), 0xFF);
    EXPECT_EQ(readBack(sim_->devices()[0]), expected);
    MemoryImage corrupted = expected;
    corrupted[kHeaderSize + 0x13] ^= 0x01;
    EXPECT_EQ(readBack(sim_->devices()[1]), corrupted);

    sim_->stop();
    for (const auto& [file, image] :
         {std::pair{"radio-1.dat", expected}, std::pair{"radio-2.dat", corrupted},
          std::pair{"radio-3.dat", stored}}) {
        const auto saved = ReadDataFile(dir_ / file);
        ASSERT_TRUE(std::holds_alternative<MemoryImage>(saved)) << file;
        EXPECT_TRUE(std::equal(image.begin() + kHeaderSize, image.end(),
                               std::get<MemoryImage>(saved).begin() + kHeaderSize))
            << file;
    }
}

// A radio that hangs up goes away alone; its neighbour keeps answering.
TEST_F(PtyTransfer, ARadioThatHangsUpLeavesTheOthersServing) {
    sim_ = std::make_unique<EmulatorProcess>(
        std::vector<std::string>{"--radios", "2", "--faulty", "1", "--hang-up-at", "5", "--fast"});
    ASSERT_EQ(sim_->devices().size(), 2u);
    port_.open(sim_->devices()[0]);
    const auto failure = WriteRadio(port_, image_, {});
    ASSERT_TRUE(failure);
    EXPECT_TRUE(failure->portError) << failure->message();
    port_.close();
    port_.open(sim_->devices()[1]);
    EXPECT_FALSE(WriteRadio(port_, image_, {}));
}

TEST_F(PtyTransfer, WaitsGiveUpAfterTheirBudgets) {
    using namespace std::chrono;
    startSim({"--no-lead-answer"});
    auto start = steady_clock::now();
    EXPECT_TRUE(WriteRadio(port_, image_, {}));
    auto waited = steady_clock::now() - start;
    EXPECT_GE(waited, milliseconds(51));
    EXPECT_LT(waited, milliseconds(1000));
    port_.close();
    sim_.reset();

    startSim({"--short-identity"}, false);
    start = steady_clock::now();
    EXPECT_TRUE(WriteRadio(port_, image_, {}));
    waited = steady_clock::now() - start;
    EXPECT_GE(waited, milliseconds(76));
    EXPECT_LT(waited, milliseconds(1000));
}

} // namespace
} // namespace hx
