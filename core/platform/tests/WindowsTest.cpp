// What Windows does differently from Linux, for the files and texts users handle.
#include "core/codeplug/Frequency.h"
#include "core/files/SafeFile.h"
#include "core/link/PortNames.h"
#include "core/link/SystemPort.h"
#include "core/platform/Console.h"
#include "core/platform/Folders.h"
#include "core/platform/windows/Api.h"
#include "core/platform/windows/Handle.h"
#include "core/testsupport/TestFolder.h"

#include <clocale>
#include <gtest/gtest.h>

namespace hx {
namespace {

namespace fs = std::filesystem;
using platform::Handle;

class WindowsTest : public testing::Test {
protected:
    // A file held open the way a spreadsheet holds its file: others may read it, but
    // neither write nor replace nor delete it.
    Handle holdOpen(const fs::path& file) const {
        return Handle(::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, 0, nullptr));
    }

    TestFolder folder_{"windows"};
    const fs::path dir_ = folder_.path();
};

TEST_F(WindowsTest, AFileOpenElsewhereKeepsItsContentAndSaysWhy) {
    const auto file = dir_ / "plan.csv";
    ASSERT_EQ(WriteFileSafely(file, "old\n"), std::nullopt);
    {
        const Handle held = holdOpen(file);
        ASSERT_TRUE(held);
        const auto error = WriteFileSafely(file, "new\n");
        ASSERT_TRUE(error);
        EXPECT_EQ(error->message, file.string() + ": is open in another program");
        EXPECT_EQ(FileBytes(file), "old\n");
    }
    // Once it is closed the write goes through, and no temporary file stays behind.
    EXPECT_EQ(WriteFileSafely(file, "new\n"), std::nullopt);
    EXPECT_EQ(FileBytes(file), "new\n");
    for (const auto& entry : fs::directory_iterator(dir_))
        EXPECT_EQ(entry.path().filename(), "plan.csv");
}

// Bytes reach the disk as given: line ends are not turned into CR LF, and a file
// that had CR LF gets exactly the new bytes.
TEST_F(WindowsTest, WrittenFilesHoldTheirBytesExactly) {
    const auto file = dir_ / "a.csv";
    PutFileBytes(file, "x\r\ny\r\n");
    ASSERT_EQ(WriteFileSafely(file, "1\n2\n\x1A\n"), std::nullopt);
    EXPECT_EQ(FileBytes(file), std::string("1\n2\n\x1A\n"));
    const auto read = ReadRegularFile(file);
    ASSERT_TRUE(std::holds_alternative<std::string>(read));
    EXPECT_EQ(std::get<std::string>(read), std::string("1\n2\n\x1A\n"));
}

TEST_F(WindowsTest, ReadOnlyFilesFoldersAndDevicesAreRefused) {
    const auto file = dir_ / "kept.dat";
    PutFileBytes(file, "kept");
    ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
    const auto refused = WriteFileSafely(file, "new");
    ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->message, file.string() + ": is write-protected");
    EXPECT_EQ(FileBytes(file), "kept");

    EXPECT_EQ(std::get<FileError>(ReadRegularFile(dir_)).message,
              dir_.string() + ": is a folder, not a file");
    EXPECT_TRUE(WriteFileSafely(dir_, "x"));
    EXPECT_TRUE(std::holds_alternative<FileError>(ReadRegularFile("NUL")));
    EXPECT_TRUE(WriteFileSafely(dir_ / "missing" / "a.dat", "x"));
}

// Names beyond the ANSI code page: the file system's UTF-16 names, shown in UTF-8.
TEST_F(WindowsTest, NamesInAnyScriptAreWrittenAndClaimed) {
    const fs::path chinese = dir_ / fs::path(u8"频道表");
    fs::create_directories(chinese);
    const auto file = chinese / fs::path(u8"对讲机.dat");
    ASSERT_EQ(WriteFileSafely(file, "data"), std::nullopt);
    EXPECT_EQ(std::get<std::string>(ReadRegularFile(file)), "data");

    const auto first = ClaimNewFile(chinese, "backup", ".dat");
    const auto second = ClaimNewFile(chinese, "backup", ".dat");
    ASSERT_TRUE(std::holds_alternative<fs::path>(first));
    ASSERT_TRUE(std::holds_alternative<fs::path>(second));
    EXPECT_EQ(std::get<fs::path>(first).filename(), "backup.dat");
    EXPECT_EQ(std::get<fs::path>(second).filename(), "backup-2.dat");

    const auto error = WriteFileSafely(chinese / fs::path(u8"无.dat") / "x", "x");
    ASSERT_TRUE(error);
    EXPECT_NE(error->message.find("\xE6\x97\xA0.dat"), std::string::npos) << error->message;
}

// Numbers keep their decimal point whatever the user's locale writes.
TEST_F(WindowsTest, NumbersIgnoreTheLocale) {
    ASSERT_NE(std::setlocale(LC_ALL, "German_Germany.1252"), nullptr);
    EXPECT_EQ(FormatFrequency(Mhz{446.00625}), "446.00625");
    EXPECT_EQ(ParseFrequencyText("446.00625"), 446.00625);
    std::setlocale(LC_ALL, "C");
}

TEST_F(WindowsTest, PortsAreTheWindowsNames) {
    const auto device = DeviceForPortName("com3", dir_);
    ASSERT_TRUE(std::holds_alternative<std::string>(device));
    EXPECT_EQ(std::get<std::string>(device), "COM3");
    EXPECT_EQ(std::get<std::string>(DeviceForPortName("\\\\.\\COM20", dir_)), "\\\\.\\COM20");
    try {
        platform::OpenSerialPort("COM77");
        ADD_FAILURE() << "an absent port opened";
    } catch (const PortError& error) {
        EXPECT_EQ(std::string(error.what()), "COM77: no such port");
    }
}

TEST_F(WindowsTest, TheUserFolderIsInAppData) {
    const auto folder = platform::UserDataFolder();
    EXPECT_EQ(folder.filename(), "hxprog");
    EXPECT_EQ(folder.parent_path().filename(), "Roaming");
}

} // namespace
} // namespace hx
