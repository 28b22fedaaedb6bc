#include "app/profile/ProfileFile.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace hx {
namespace {

class ProfileFileTest : public ::testing::Test {
protected:
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() /
        ("hx_profile_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::path file = dir / "Config.ini";

    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
    void put(const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }
    std::string content() const {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

TEST_F(ProfileFileTest, MissingFileSectionOrKeyGivesTheDefaultAndCreatesNothing) {
    ProfileFile profile(file);
    EXPECT_EQ(profile.read("Config", "Type", "7200", 14), "7200");
    EXPECT_FALSE(std::filesystem::exists(file));
    put("[Other]\nType=7100\n");
    EXPECT_EQ(profile.read("Config", "Type", "7200", 14), "7200");
    EXPECT_EQ(profile.read("Other", "Missing", "x", 14), "x");
}

TEST_F(ProfileFileTest, NamesMatchWithoutCaseAndValuesAreCutToTheirRoom) {
    put("[Setting]\r\nLANGUAGE=12\r\nTitle=QRW74系列对讲机\r\n");
    ProfileFile profile(file);
    EXPECT_EQ(profile.read("setting", "Language", "a", 1), "1");
    EXPECT_EQ(profile.read("SETTING", "title", "", 7), "QRW74系列");
}

TEST_F(ProfileFileTest, ReadsFilesInTheWindowsChineseCodePage) {
    put("[Title]\nChsTitle=\xB1\xE0\xB3\xCC\n"); // "编程" in GB18030
    EXPECT_EQ(ProfileFile(file).read("Title", "ChsTitle", "", 49), "编程");
}

TEST_F(ProfileFileTest, WritesKeepEveryOtherLineAndCreateWhatIsMissing) {
    put("; comment\n[Setting]\nCOM=1\n\n[Model]\nModCnt=3\n");
    ProfileFile profile(file);
    ASSERT_TRUE(profile.write("setting", "com", "5"));
    ASSERT_TRUE(profile.write("Setting", "Path", ""));
    ASSERT_TRUE(profile.write("Default", "Sql", "6"));
    EXPECT_EQ(content(), "; comment\r\n[Setting]\r\ncom=5\r\nPath=\r\n\r\n[Model]\r\nModCnt=3\r\n"
                         "[Default]\r\nSql=6\r\n");
    EXPECT_EQ(profile.read("Model", "ModCnt", "4", 8), "3");
    EXPECT_FALSE(std::filesystem::exists(dir / "Config.ini.tmp"));
}

// Settings are stored several keys at a time; the file must come out exactly as
// from the same keys written one by one.
TEST_F(ProfileFileTest, AWriteOfSeveralKeysEqualsWritingThemInTurn) {
    const std::string start = "; kept\r\n[Setting]\r\nCOM=3\r\n\r\n[Other]\r\nX=1\r\n";
    const ProfileFile::Entries entries{{"Path", "/a b.dat"}, {"com", "5"}, {"Z", ""}};
    put(start);
    for (const auto& [key, value] : entries)
        ProfileFile(file).write("Setting", key, value);
    ProfileFile(file).write("New", "K", "v");
    const std::string oneByOne = content();
    put(start);
    ASSERT_TRUE(ProfileFile(file).write("setting", entries));
    ProfileFile(file).write("New", ProfileFile::Entries{{"K", "v"}});
    EXPECT_EQ(content(), oneByOne);
}

TEST_F(ProfileFileTest, AWriteIntoAMissingFolderFailsCleanly) {
    ProfileFile profile(dir / "absent" / "x.ini");
    EXPECT_FALSE(profile.write("A", "b", "c"));
}

} // namespace
} // namespace hx
