#include "core/files/ProfileFile.h"

#include "core/testsupport/OrdinaryUser.h"
#include "core/testsupport/TestFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>

namespace hx {
namespace {

class ProfileFileTest : public ::testing::Test {
protected:
    TestFolder folder_{"hx_profile"};
    const std::filesystem::path dir = folder_.path();
    const std::filesystem::path file = dir / "Config.ini";

    void put(const std::string& bytes) { PutFileBytes(file, bytes); }
    std::string content() const { return FileBytes(file); }
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

// Hand-edited files repeat sections and keys: the first entry in file order counts,
// a repeated section goes on where the first left off, and lines before any section,
// comments and lines without "=" belong to no key.
TEST_F(ProfileFileTest, TheFirstEntryInFileOrderCounts) {
    put("top=0\n[Model]\n ModCnt = 3 \n;SquelchLevel=9\nnoise\n[Other]\nModCnt=5\n"
        "[ model ]\nmodcnt=4\nExtra=x=y\n\t[Title]\t\nEngTitle=\n");
    ProfileFile profile(file);
    EXPECT_EQ(profile.read("Model", "ModCnt", "", 8), "3");
    EXPECT_EQ(profile.read("MODEL", "extra", "", 8), "x=y");
    EXPECT_EQ(profile.read("Other", "modcnt", "", 8), "5");
    EXPECT_EQ(profile.read("", "top", "d", 8), "d");
    EXPECT_EQ(profile.read("Model", ";Sql", "d", 8), "d");
    EXPECT_EQ(profile.read("Model", "noise", "d", 8), "d");
    EXPECT_EQ(profile.read("Title", "EngTitle", "d", 8), "") << "an empty value is no default";
    EXPECT_EQ(profile.read("Title", "Missing", "默认文本", 2), "默认") << "defaults are cut too";
}

TEST_F(ProfileFileTest, ReadsFilesInTheWindowsChineseCodePage) {
    put("[Title]\nChsTitle=\xB1\xE0\xB3\xCC\n"); // "编程" in GB18030
    EXPECT_EQ(ProfileFile(file).read("Title", "ChsTitle", "", 49), "编程");
    put("[Title]\nChsTitle=\xFF\n"); // neither code page: the bytes as they are
    EXPECT_EQ(ProfileFile(file).read("Title", "ChsTitle", "", 49), "\xFF");
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
    const auto leftovers = std::distance(std::filesystem::directory_iterator(dir), {});
    EXPECT_EQ(leftovers, 1) << "only the profile itself, no temporary file";
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

// A profile that is there but cannot be read is not replaced by one holding only the
// new keys.
TEST_F(ProfileFileTest, AProfileThatCannotBeReadIsNotReplaced) {
    put("[Setting]\r\nCOM=3\r\n");
    ::chmod(file.c_str(), 0222); // anyone may write it, nobody may read it
    AsOrdinaryUser(dir, [this] { EXPECT_FALSE(ProfileFile(file).write("Setting", "Path", "x")); });
    ::chmod(file.c_str(), 0644);
    EXPECT_EQ(content(), "[Setting]\r\nCOM=3\r\n");
}

TEST_F(ProfileFileTest, AWriteIntoAMissingFolderFailsCleanly) {
    ProfileFile profile(dir / "absent" / "x.ini");
    EXPECT_FALSE(profile.write("A", "b", "c"));
}

} // namespace
} // namespace hx
