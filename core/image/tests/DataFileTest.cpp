#include "core/image/DataFile.h"

#include "core/testsupport/OrdinaryUser.h"
#include "core/testsupport/TestFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/stat.h>

namespace hx {
namespace {

namespace fs = std::filesystem;

class DataFileTest : public testing::Test {
protected:
    fs::path file(const std::string& name) const { return dir_ / name; }
    static void put(const fs::path& path, const std::string& bytes) { PutFileBytes(path, bytes); }
    static std::string contents(const fs::path& path) { return FileBytes(path); }
    TestFolder folder_{"hx_datafile"};
    const fs::path dir_ = folder_.path();
};

TEST_F(DataFileTest, NewFileHoldsExactlyTheImage) {
    const MemoryImage image = BlankImage();
    ASSERT_TRUE(std::holds_alternative<std::monostate>(WriteDataFile(file("a.dat"), image)));
    const std::string bytes = contents(file("a.dat"));
    EXPECT_EQ(bytes.size(), kImageSize);
    EXPECT_EQ(bytes.substr(0, 6), "ROR55O");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 1) << "nothing left beside it";
}

TEST_F(DataFileTest, WritingKeepsTheTailOfALongerFile) {
    put(file("long.dat"), std::string(2000, 'x'));
    ASSERT_TRUE(
        std::holds_alternative<std::monostate>(WriteDataFile(file("long.dat"), BlankImage())));
    const std::string bytes = contents(file("long.dat"));
    ASSERT_EQ(bytes.size(), 2000u);
    EXPECT_EQ(bytes.substr(kImageSize), std::string(926, 'x'));
    EXPECT_EQ(bytes.substr(0, 6), "ROR55O");
}

TEST_F(DataFileTest, ReadTakesTheFirstImageAndBlanksWhatAShortFileLacks) {
    put(file("short.dat"), "ROR");
    auto read = ReadDataFile(file("short.dat"));
    ASSERT_TRUE(std::holds_alternative<MemoryImage>(read));
    const auto& image = std::get<MemoryImage>(read);
    EXPECT_EQ(image[0], 'R');
    EXPECT_EQ(image[2], 'R');
    EXPECT_EQ(image[3], 0xFF);
    EXPECT_EQ(image[kImageSize - 1], 0xFF);

    put(file("long.dat"), std::string(kImageSize, 'a') + "tail");
    read = ReadDataFile(file("long.dat"));
    EXPECT_EQ(std::get<MemoryImage>(read)[kImageSize - 1], 'a');
}

TEST_F(DataFileTest, OnlyAWholeImageWithItsIdentityLooksLikeADataFile) {
    ASSERT_TRUE(
        std::holds_alternative<std::monostate>(WriteDataFile(file("ok.dat"), BlankImage())));
    EXPECT_TRUE(LooksLikeDataFile(file("ok.dat")));
    const std::string image = contents(file("ok.dat"));
    put(file("long.dat"), image + "tail");
    EXPECT_TRUE(LooksLikeDataFile(file("long.dat")));

    put(file("short.dat"), image.substr(0, kImageSize - 1));
    EXPECT_FALSE(LooksLikeDataFile(file("short.dat")));
    put(file("notes.dat"), "Things to take to the site\n" + std::string(kImageSize, '-'));
    EXPECT_FALSE(LooksLikeDataFile(file("notes.dat")));
    put(file("lower.dat"), "ror55o" + image.substr(6));
    EXPECT_FALSE(LooksLikeDataFile(file("lower.dat")));
    EXPECT_FALSE(LooksLikeDataFile(file("missing.dat")));
}

TEST_F(DataFileTest, ReadOnlyFilesOpenButAreNotOverwritten) {
    AsOrdinaryUser(dir_, [this] { // root may write anything
        put(file("ro.dat"), std::string(kImageSize, 'r'));
        fs::permissions(file("ro.dat"), fs::perms::owner_read);
        EXPECT_TRUE(std::holds_alternative<MemoryImage>(ReadDataFile(file("ro.dat"))));
        EXPECT_TRUE(
            std::holds_alternative<DataFileError>(WriteDataFile(file("ro.dat"), BlankImage())));
        EXPECT_EQ(contents(file("ro.dat")), std::string(kImageSize, 'r'));
    });
}

// A FIFO is neither waited on nor replaced.
TEST_F(DataFileTest, FailuresAreReportedNotThrown) {
    ASSERT_EQ(::mkfifo(file("pipe.dat").c_str(), 0644), 0);
    for (const auto& path : {file("missing.dat"), file("pipe.dat")})
        EXPECT_TRUE(std::holds_alternative<DataFileError>(ReadDataFile(path))) << path;
    for (const auto& path : {dir_ / "no" / "x.dat", file("pipe.dat")})
        EXPECT_TRUE(std::holds_alternative<DataFileError>(WriteDataFile(path, BlankImage())))
            << path;
    EXPECT_TRUE(fs::is_fifo(file("pipe.dat")));
}

} // namespace
} // namespace hx
