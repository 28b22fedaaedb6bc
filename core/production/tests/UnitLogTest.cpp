#include "core/production/UnitLog.h"

#include "core/production/Digest.h"
#include "core/testsupport/TestFolder.h"

#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <thread>

namespace hx {
namespace {

UnitRecord Record(int unit, std::string reason) {
    return {std::chrono::system_clock::now(),
            "COM1",
            unit,
            "master, v2.dat",
            "ab12",
            "FAIL",
            "verify",
            "",
            std::move(reason)};
}

// The columns a dealer's spreadsheet reads, with fields that hold commas, quotes or
// line breaks quoted so that they stay one field.
TEST(UnitLog, ANewLogStartsWithItsHeaderAndQuotesWhatNeedsIt) {
    TestFolder folder("unit_log");
    UnitLog log(folder.path() / "units.csv");
    ASSERT_FALSE(log.append(Record(1, "channel 3 \"Rx\": sent 1,\nholds 2")));
    ASSERT_FALSE(log.append(Record(2, "plain")));
    const auto text = FileBytes(log.path());
    EXPECT_EQ(text.substr(0, kUnitLogHeader.size()), kUnitLogHeader);
    const std::regex line(
        R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d,COM1,1,"master, v2.dat",ab12,FAIL,verify,,)"
        R"("channel 3 ""Rx"": sent 1,\nholds 2"\n)"
        R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d,COM1,2,"master, v2.dat",ab12,FAIL,verify,,plain\n)");
    EXPECT_TRUE(std::regex_match(text.substr(kUnitLogHeader.size()), line)) << text;

    std::filesystem::create_directory(folder.path() / "folder.csv");
    EXPECT_TRUE(UnitLog(folder.path() / "folder.csv").append(Record(3, "x")));
}

// Ports append at once, and so may a second run on the same file: every line stays
// whole, and the header comes once.
TEST(UnitLog, LinesFromManyWritersNeverMix) {
    TestFolder folder("unit_log");
    UnitLog first(folder.path() / "units.csv");
    UnitLog second(folder.path() / "units.csv");
    std::vector<std::thread> writers;
    for (int w = 0; w < 4; ++w)
        writers.emplace_back([&, w] {
            for (int n = 0; n < 25; ++n)
                EXPECT_FALSE((w % 2 ? first : second).append(Record(n, std::string(300, 'x'))));
        });
    for (auto& writer : writers)
        writer.join();
    const auto lines = FileLines(first.path());
    ASSERT_EQ(lines.size(), 101u);
    EXPECT_EQ(lines[0] + "\n", kUnitLogHeader);
    for (std::size_t i = 1; i < lines.size(); ++i)
        EXPECT_EQ(std::count(lines[i].begin(), lines[i].end(), ','), 9) << lines[i];
}

// The digest names the radio's 1024 bytes alone, the file header left out.
TEST(Digest, CoversTheRadioBytesOfTheImage) {
    MemoryImage image = BlankImage();
    EXPECT_EQ(RadioBytesDigest(image),
              "5f4ecdb7b71c3e403983fe405cddcdc2f2576b655fdb3e80d94a6f7c32e58bc2");
    image[0] = 'X';
    const std::string headerChanged = RadioBytesDigest(image);
    image[kImageSize - 1] = 0;
    EXPECT_EQ(headerChanged, RadioBytesDigest(BlankImage()));
    EXPECT_NE(RadioBytesDigest(image), headerChanged);
}

} // namespace
} // namespace hx
