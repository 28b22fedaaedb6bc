#include "core/files/TemporaryName.h"
#include "core/platform/Process.h"
#include "core/platform/Sha256.h"
#include "core/platform/SharedFile.h"
#include "core/platform/Text.h"
#include "core/testsupport/TestFolder.h"

#include <gtest/gtest.h>
#include <limits>
#include <sstream>
#include <thread>
#include <vector>

namespace hx::platform {
namespace {

std::string Hex(const Sha256Digest& digest) {
    std::ostringstream out;
    for (const auto byte : digest)
        out << "0123456789abcdef"[byte >> 4] << "0123456789abcdef"[byte & 15];
    return out.str();
}

TEST(PlatformTest, Sha256MatchesTheStandardVectors) {
    const std::string abc = "abc";
    const auto digest = Sha256({reinterpret_cast<const std::uint8_t*>(abc.data()), abc.size()});
    ASSERT_TRUE(digest);
    EXPECT_EQ(Hex(*digest), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    const auto empty = Sha256({});
    ASSERT_TRUE(empty);
    EXPECT_EQ(Hex(*empty), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
}

// A cut or unknown sequence stops the text where it lies rather than being replaced.
TEST(PlatformTest, Gb18030ConvertsStrictly) {
    EXPECT_EQ(Gb18030ToUtf8("\xD6\xD0\xCE\xC4 A1").text, "中文 A1");
    EXPECT_EQ(Gb18030ToUtf8("\xD6\xD0\xCE\xC4 A1").stoppedAt, std::nullopt);
    EXPECT_EQ(Gb18030ToUtf8("").stoppedAt, std::nullopt);
    const ConvertedText cut = Gb18030ToUtf8("ab\xD6");
    EXPECT_EQ(cut.text, "ab");
    EXPECT_EQ(cut.stoppedAt, 2u);
    EXPECT_EQ(Gb18030ToUtf8("\xD6\xD0\xFF\xFF").stoppedAt, 2u);
}

TEST(PlatformTest, ProcessesAreToldApart) {
    EXPECT_TRUE(ProcessRunning(ThisProcessId()));
    EXPECT_FALSE(ProcessRunning(0));
    EXPECT_FALSE(ProcessRunning(-5));
    EXPECT_FALSE(ProcessRunning(std::numeric_limits<long>::max()));
    EXPECT_TRUE(std::filesystem::exists(ThisProgramFile()));
}

// Appenders on many threads at once: every line whole, the header exactly once.
TEST(PlatformTest, LockedAppendsNeverMix) {
    TestFolder folder("platform");
    const auto log = folder.path() / "log.csv";
    constexpr int kThreads = 8;
    constexpr int kLines = 25;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&log, t] {
            for (int n = 0; n < kLines; ++n)
                EXPECT_EQ(AppendLocked(log,
                                       [&](bool empty) {
                                           const std::string line(200, char('a' + t));
                                           return (empty ? "header\n" : "") + line + "\n";
                                       }),
                          std::nullopt);
        });
    for (auto& thread : threads)
        thread.join();
    const auto lines = FileLines(log);
    ASSERT_EQ(lines.size(), 1u + kThreads * kLines);
    EXPECT_EQ(lines[0], "header");
    for (std::size_t i = 1; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], std::string(200, lines[i].front()));
    EXPECT_NE(AppendLocked(folder.path(), [](bool) { return "x"; }), std::nullopt);
}

// Temporary files tell their writer; those of a writer that is gone are cleared,
// this process's own stay, and a long name is cut where a character ends.
TEST(PlatformTest, TemporaryFilesNameTheirWriter) {
    TestFolder folder("platform");
    const auto file = folder.path() / "plan.csv";
    const std::string prefix = TemporaryPrefix(file);
    const auto mine = TemporaryName(file, 7).u8string();
    EXPECT_EQ(WriterOf(std::string(mine.begin(), mine.end()), prefix), ThisProcessId());
    EXPECT_EQ(WriterOf(".plan.csv.12.0000000g.tmp", prefix), std::nullopt);
    EXPECT_EQ(WriterOf(".plan.csv.-3.00000001.tmp", prefix), std::nullopt);

    const auto own = folder.path() / TemporaryName(file, 1);
    const auto gone = folder.path() / ".plan.csv.999999999.00000001.tmp";
    PutFileBytes(own, "mine");
    PutFileBytes(gone, "left behind");
    RemoveLeftovers(file);
    EXPECT_TRUE(std::filesystem::exists(own));
    EXPECT_FALSE(std::filesystem::exists(gone));

    std::string longName;
    for (int i = 0; i < 100; ++i)
        longName += "频";
    const std::string cut = TemporaryPrefix(std::u8string(longName.begin(), longName.end()));
    EXPECT_LE(cut.size(), 2 + 255u - 32u); // between the two dots
    EXPECT_EQ((cut.size() - 2) % 3, 0u);   // whole three-byte characters only
}

} // namespace
} // namespace hx::platform
