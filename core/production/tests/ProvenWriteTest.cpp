#include "core/production/ProvenWrite.h"

#include "core/image/DataFile.h"
#include "core/link/Protocol.h"
#include "core/production/Backup.h"
#include "core/production/tests/ProductionFixture.h"
#include "core/testsupport/EmulatedRadioPort.h"
#include "core/testsupport/TestFolder.h"

#include <gtest/gtest.h>
#include <regex>

namespace hx {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A radio in the test is ready again at once after a write.
constexpr ProofOptions kVerifyQuickly{.verify = true, .settle = 0ms};

template <typename T> hxsim::Faults Fault(T hxsim::Faults::*fault, T value) {
    hxsim::Faults faults;
    faults.*fault = value;
    return faults;
}
bool SendsAWriteFrame(const EmulatedRadioPort& port) {
    return std::any_of(port.sends.begin(), port.sends.end(),
                       [](const auto& bytes) { return bytes.size() == 12 && bytes[0] == 'W'; });
}

hxsim::Faults Corrupting(std::size_t address, std::uint8_t value) {
    return Fault(&hxsim::Faults::corrupt, std::optional(hxsim::CorruptByte{address, value}));
}

class ProvenWrite : public testing::Test {
protected:
    ProofOutcome write(EmulatedRadioPort& radio, const ProofOptions& options,
                       const ProofEvents& events = {}) {
        return WriteWithProof(radio, image_, hx7200_.model, options, Language::English, events);
    }

    Hx7200 hx7200_;
    const MemoryImage image_ = hx7200_.encode(kUhf, 450.0125);
    const MemoryImage otherUhf_ = hx7200_.encode(kUhf, 460.0125);
    TestFolder folder_{"proven_write"};
    const fs::path backups_ = folder_.path() / "Backups";
};

// The radio acknowledges every frame but keeps one byte wrong: only the read-back
// shows it, and it is named as the field a dealer knows.
TEST_F(ProvenWrite, VerificationNamesTheFieldOfACorruptedByte) {
    EmulatedRadioPort good(MemoryOf(otherUhf_));
    const auto passed = write(good, kVerifyQuickly);
    EXPECT_TRUE(passed.passed());
    EXPECT_EQ(passed.reason, "verified");

    // Channel 3's receive frequency 450.06250 is stored 50 62 00 45 from address 48.
    EmulatedRadioPort corrupting(MemoryOf(otherUhf_), Corrupting(49, 0x87));
    const auto failed = write(corrupting, kVerifyQuickly);
    EXPECT_EQ(failed.result, ProofResult::Fail);
    EXPECT_EQ(failed.failedStep, ProofStep::Verify);
    ASSERT_EQ(failed.differences.size(), 1u);
    EXPECT_EQ(failed.reason, "verification found 1 difference(s), the first: channel 3 receive "
                             "frequency: sent 450.06250, radio holds 450.08750");

    EmulatedRadioPort unverified(MemoryOf(otherUhf_), Corrupting(49, 0x87));
    EXPECT_EQ(write(unverified, {}).reason, "written") << "without verify the write is trusted";
}

// Without options the line carries exactly what a plain write sends.
TEST_F(ProvenWrite, APlainWriteKeepsItsLineSequence) {
    EmulatedRadioPort plain(MemoryOf(otherUhf_));
    EmulatedRadioPort proven(MemoryOf(otherUhf_));
    ASSERT_FALSE(WriteRadio(plain, image_, {}));
    ASSERT_TRUE(write(proven, {}).passed());
    EXPECT_EQ(proven.sends, plain.sends);
}

// A radio of another band gets nothing but the backup read: its memory is kept in a
// data file the window opens, and the refusal names both bands.
TEST_F(ProvenWrite, AGuardRefusalSendsNothingAfterTheBackupRead) {
    const MemoryImage vhf = hx7200_.encode(kVhf, 150.0125);
    EmulatedRadioPort radio(MemoryOf(vhf));
    const auto outcome = write(radio, {.backupFolder = backups_});
    EXPECT_EQ(outcome.failedStep, ProofStep::Guard);
    EXPECT_EQ(outcome.reason, "radio band 136-174MHz (HX7200-V), file band 400-470MHz "
                              "(HX7200-U): nothing was written");
    EmulatedRadioPort reader(MemoryOf(vhf));
    ASSERT_TRUE(std::holds_alternative<MemoryImage>(ReadRadio(reader, BlankImage(), {})));
    EXPECT_EQ(radio.sends, reader.sends);
    EXPECT_EQ(radio.memory(), MemoryOf(vhf));

    EXPECT_TRUE(std::regex_match(outcome.backupFile.filename().string(),
                                 std::regex(R"(\d{8}-\d{6}-HX7200-V\.dat)")));
    const auto kept = ReadDataFile(outcome.backupFile);
    ASSERT_TRUE(std::holds_alternative<MemoryImage>(kept));
    MemoryImage expected = BlankImage();
    std::copy(vhf.begin() + kHeaderSize, vhf.end(), expected.begin() + kHeaderSize);
    EXPECT_EQ(std::get<MemoryImage>(kept), expected) << "the blank header, the radio's memory";

    const auto chinese = CheckRadioKind(vhf, image_, hx7200_.model.profile, Language::Chinese);
    ASSERT_TRUE(chinese);
    EXPECT_EQ(chinese->message,
              "对讲机频段 136-174MHz (HX7200-V)，文件频段 400-470MHz (HX7200-U)，未写入");

    EmulatedRadioPort overridden(MemoryOf(vhf));
    const auto forced = write(overridden, {.verify = true, .backupFolder = backups_, .settle = 0ms},
                              {.writeAnyway = [](const GuardFinding& f) { return f.bandDiffers; }});
    EXPECT_TRUE(forced.passed()) << forced.reason;
    EXPECT_TRUE(forced.guard);
    EXPECT_TRUE(HoldsWrittenBlocks(overridden.memory(), image_));
}

// The same band with other sub-model bytes is another kind of radio too; a radio of
// the same kind passes the guard.
TEST_F(ProvenWrite, TheGuardComparesEverySubModelByte) {
    MemoryImage variant = otherUhf_;
    variant[kSubModelBytesOffset + 5] ^= 0x01;
    const auto finding = CheckRadioKind(variant, image_, hx7200_.model.profile, Language::English);
    ASSERT_TRUE(finding);
    EXPECT_FALSE(finding->bandDiffers);
    EXPECT_NE(finding->message.find("radio sub-model bytes"), std::string::npos);
    EXPECT_FALSE(CheckRadioKind(otherUhf_, image_, hx7200_.model.profile, Language::English));

    MemoryImage blank = BlankImage();
    EXPECT_EQ(CheckRadioKind(blank, image_, hx7200_.model.profile, Language::English)->message,
              "radio band unknown band (code 255), file band 400-470MHz (HX7200-U): nothing "
              "was written");
}

// A backup that could not be read, or not kept, stops everything before a write frame.
TEST_F(ProvenWrite, AFailedBackupSendsNoWriteFrame) {
    EmulatedRadioPort unreadable(MemoryOf(otherUhf_), Fault(&hxsim::Faults::shortReplyAtBlock, 5));
    const auto notRead = write(unreadable, {.backupFolder = backups_, .patience = kLeastPatience});
    EXPECT_EQ(notRead.failedStep, ProofStep::Backup);
    EXPECT_EQ(notRead.reason, "the backup read failed, nothing was written: no valid answer to "
                              "the read request of block 5");
    EXPECT_FALSE(SendsAWriteFrame(unreadable));
    EXPECT_FALSE(fs::exists(backups_) && !fs::is_empty(backups_));

    PutFileBytes(folder_.path() / "taken", "a file where the folder should be");
    EmulatedRadioPort unsaved(MemoryOf(otherUhf_));
    const auto notKept = write(unsaved, {.backupFolder = folder_.path() / "taken"});
    EXPECT_EQ(notKept.failedStep, ProofStep::Backup);
    EXPECT_NE(notKept.reason.find("the backup could not be saved"), std::string::npos);
    EXPECT_FALSE(SendsAWriteFrame(unsaved));
}

// Only a write that stopped after its first frame leaves a half-written radio.
TEST_F(ProvenWrite, AWriteCutOffPartWayIsInterrupted) {
    EmulatedRadioPort silent(MemoryOf(otherUhf_), Fault(&hxsim::Faults::silentToLeadCode, true));
    const auto unchanged = write(silent, {.verify = true, .patience = kLeastPatience});
    EXPECT_EQ(unchanged.result, ProofResult::Fail);
    EXPECT_EQ(unchanged.failedStep, ProofStep::Write);

    EmulatedRadioPort cut(MemoryOf(otherUhf_), Fault(&hxsim::Faults::hangUpAtBlock, 60));
    const auto half = write(cut, {.verify = true, .patience = kLeastPatience});
    EXPECT_EQ(half.result, ProofResult::Interrupted);
    EXPECT_EQ(half.reason, "the write stopped at block 60, the radio is half-written: no valid "
                           "answer to the write frame of block 60");
}

// A radio that restarts after it was programmed is deaf for a while: the read-back
// waits for it. One that stays deaf was written but is not proven either way, which
// is not the failure of a radio that answered with other bytes.
TEST_F(ProvenWrite, TheReadBackWaitsForARestartingRadio) {
    const auto restarting = [&](std::chrono::milliseconds deaf) {
        auto radio = std::make_unique<EmulatedRadioPort>(
            MemoryOf(otherUhf_), Fault(&hxsim::Faults::restartAfterWrite, true));
        radio->deafAfterRestart = deaf;
        return radio;
    };
    const ProofOptions patient{.verify = true, .patience = kLeastPatience, .settle = 100ms};
    const auto slow = restarting(1500ms);
    const auto verified = write(*slow, patient);
    EXPECT_TRUE(verified.passed()) << verified.reason;

    ProofOptions brief = patient;
    brief.readBackTries = 300ms;
    const auto deaf = restarting(10s);
    const auto start = std::chrono::steady_clock::now();
    const auto unproven = write(*deaf, brief);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_EQ(unproven.result, ProofResult::Unverified);
    EXPECT_EQ(unproven.failedStep, ProofStep::Verify);
    EXPECT_EQ(unproven.reason, "written, not verified: the radio did not answer after programming");
    EXPECT_TRUE(HoldsWrittenBlocks(deaf->memory(), image_));
    EXPECT_EQ(TraceOutcome(unproven), "UNVERIFIED at verify: " + unproven.reason);
}

TEST(Backup, NamesSayWhenAndWhatAndNeverReplaceEachOther) {
    const Hx7200 hx7200;
    const MemoryImage uhf = hx7200.encode(kUhf, 450.0125);
    std::tm time{};
    time.tm_year = 2026 - 1900;
    time.tm_mon = 11;
    time.tm_mday = 7;
    time.tm_hour = 15;
    time.tm_min = 30;
    time.tm_sec = 12;
    EXPECT_EQ(BackupFileName(time, uhf, hx7200.model.profile), "20261207-153012-HX7200-U.dat");
    EXPECT_EQ(BackupFileName(time, BlankImage(), hx7200.model.profile),
              "20261207-153012-band255.dat");

    TestFolder folder("backup");
    const auto now = std::chrono::system_clock::now();
    const auto first = SaveBackup(folder.path(), uhf, hx7200.model.profile, now);
    const auto second = SaveBackup(folder.path(), BlankImage(), hx7200.model.profile, now);
    const auto third = SaveBackup(folder.path(), uhf, hx7200.model.profile, now);
    ASSERT_TRUE(std::holds_alternative<fs::path>(first));
    ASSERT_TRUE(std::holds_alternative<fs::path>(third));
    const std::string firstName = std::get<fs::path>(first).filename().string();
    EXPECT_EQ(std::get<fs::path>(third).filename().string(),
              firstName.substr(0, firstName.size() - 4) + "-2.dat");
    EXPECT_EQ(FileBytes(std::get<fs::path>(first)), FileBytes(std::get<fs::path>(third)));
    EXPECT_TRUE(std::holds_alternative<fs::path>(second));
}

} // namespace
} // namespace hx
