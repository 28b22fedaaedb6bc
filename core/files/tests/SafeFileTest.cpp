#include "core/files/SafeFile.h"

#include "core/testsupport/OrdinaryUser.h"
#include "core/testsupport/TestFolder.h"

#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace hx {
namespace {

namespace fs = std::filesystem;

bool Written(const std::optional<FileError>& error) {
    EXPECT_FALSE(error) << error->message;
    return !error;
}

class SafeFileTest : public testing::Test {
protected:
    fs::path file(const std::string& name) const { return dir_ / name; }
    static void put(const fs::path& path, const std::string& bytes) { PutFileBytes(path, bytes); }
    static std::string contents(const fs::path& path) { return FileBytes(path); }
    std::set<std::string> names() const {
        std::set<std::string> found;
        for (const auto& entry : fs::directory_iterator(dir_))
            found.insert(entry.path().filename().string());
        return found;
    }
    static struct stat info(const fs::path& path) {
        struct stat result {};
        EXPECT_EQ(::lstat(path.c_str(), &result), 0) << path;
        return result;
    }
    // A device node nobody minds losing: a private one where this process may make one.
    fs::path device() const {
        if (::mknod(file("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0)
            return file("null");
        return "/dev/null";
    }

    TestFolder folder_{"hx_safefile"};
    const fs::path dir_ = folder_.path();
};

TEST_F(SafeFileTest, LinksLeadToTheFileTheyName) {
    put(file("real.dat"), "old");
    fs::create_directories(file("sub"));
    fs::create_symlink("../real.dat", file("sub/relative.dat"));
    fs::create_symlink(file("sub/relative.dat"), file("chain.dat"));
    ASSERT_TRUE(Written(WriteFileSafely(file("chain.dat"), "new")));
    EXPECT_TRUE(fs::is_symlink(file("chain.dat")));
    EXPECT_TRUE(fs::is_symlink(file("sub/relative.dat")));
    EXPECT_EQ(contents(file("real.dat")), "new");

    fs::create_symlink("made.dat", file("dangling.dat"));
    ASSERT_TRUE(Written(WriteFileSafely(file("dangling.dat"), "made")));
    EXPECT_TRUE(fs::is_symlink(file("dangling.dat")));
    EXPECT_EQ(contents(file("made.dat")), "made");

    fs::create_symlink("loop.dat", file("loop.dat"));
    EXPECT_TRUE(WriteFileSafely(file("loop.dat"), "x"));
    EXPECT_EQ(names(), (std::set<std::string>{"chain.dat", "dangling.dat", "loop.dat", "made.dat",
                                              "real.dat", "sub"}));
}

TEST_F(SafeFileTest, TheFileKeepsItsAccessOwnerAndOtherNames) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ASSERT_TRUE(Written(WriteFileSafely(file("new.dat"), "new")));
    EXPECT_EQ(info(file("new.dat")).st_mode & 0777, 0666 & ~mask) << "as any new file";

    put(file("shared.dat"), "old");
    fs::permissions(file("shared.dat"), fs::perms(0640));
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(file("shared.dat").c_str(), 65534, 65534), 0);
    }
    ASSERT_TRUE(Written(WriteFileSafely(file("shared.dat"), "newer")));
    EXPECT_EQ(contents(file("shared.dat")), "newer");
    EXPECT_EQ(info(file("shared.dat")).st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(info(file("shared.dat")).st_uid, 65534u);
        EXPECT_EQ(info(file("shared.dat")).st_gid, 65534u);
    }

    fs::create_hard_link(file("shared.dat"), file("other-name.dat"));
    ASSERT_TRUE(Written(WriteFileSafely(file("shared.dat"), "longest text")));
    ASSERT_TRUE(Written(WriteFileSafely(file("other-name.dat"), "short")));
    EXPECT_EQ(contents(file("shared.dat")), "short") << "cut to the new length";
    EXPECT_TRUE(fs::equivalent(file("shared.dat"), file("other-name.dat")));
    EXPECT_EQ(names(), (std::set<std::string>{"new.dat", "other-name.dat", "shared.dat"}));
}

TEST_F(SafeFileTest, WhatIsNoRegularFileIsRefusedAndKept) {
    ASSERT_EQ(::mkfifo(file("pipe").c_str(), 0644), 0);
    fs::create_directories(file("folder"));
    const fs::path node = device();
    const struct {
        fs::path path;
        const char* cause;
    } refused[] = {{file("pipe"), "is a FIFO (named pipe), not a file"},
                   {file("folder"), "is a folder, not a file"},
                   {node, "is a device, not a file"},
                   {file("missing/x.dat"), "its folder does not exist"}};
    for (const auto& [path, cause] : refused) {
        for (const auto& error : {CheckWriteTarget(path), WriteFileSafely(path, "x")}) {
            ASSERT_TRUE(error) << path;
            EXPECT_EQ(error->message, path.string() + ": " + cause);
        }
    }
    EXPECT_TRUE(fs::is_fifo(file("pipe")));
    EXPECT_TRUE(fs::is_empty(file("folder")));
    EXPECT_TRUE(fs::is_character_file(node));

    // Reading never waits on a FIFO or runs on along an endless device.
    for (const fs::path& path : {file("pipe"), fs::path("/dev/zero"), file("folder")})
        EXPECT_TRUE(std::holds_alternative<FileError>(ReadRegularFile(path))) << path;
}

TEST_F(SafeFileTest, AFolderThatTakesNoNewFileStillLetsItsFilesBeWritten) {
    put(file("kept.dat"), "old");
    ::chmod(file("kept.dat").c_str(), 0666);
    AsOrdinaryUser(dir_, [this] {
        fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(CheckWriteTarget(file("kept.dat")));
        EXPECT_TRUE(Written(WriteFileSafely(file("kept.dat"), "new")));
        EXPECT_EQ(contents(file("kept.dat")), "new");
        EXPECT_TRUE(CheckWriteTarget(file("fresh.dat")));
        EXPECT_TRUE(WriteFileSafely(file("fresh.dat"), "new"));
        EXPECT_EQ(names(), std::set<std::string>{"kept.dat"});
        fs::permissions(dir_, fs::perms::owner_all);
    });
}

// In a sticky folder anyone may write to, such as /tmp, a link that another user
// planted could otherwise turn a save into an overwrite of the victim's own files.
TEST_F(SafeFileTest, ALinkAnotherUserPlantedInASharedFolderIsNotFollowed) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "planting a link as another user needs root";
    put(file("victim"), "precious");
    fs::create_directory(file("shared"));
    ::chmod(file("shared").c_str(), 01777);
    fs::create_symlink(file("victim"), file("shared") / "out.dat");
    ASSERT_EQ(::lchown((file("shared") / "out.dat").c_str(), 65534, 65534), 0);
    EXPECT_TRUE(WriteFileSafely(file("shared") / "out.dat", "overwritten"));
    EXPECT_EQ(contents(file("victim")), "precious");
}

TEST_F(SafeFileTest, SimultaneousWritesOfOneFileAllSucceed) {
    const std::string first(3000, 'a'), second(3000, 'b');
    auto writeMany = [this](const std::string& bytes, int& failures) {
        for (int i = 0; i < 100; ++i)
            failures += WriteFileSafely(file("one.dat"), bytes) ? 1 : 0;
    };
    int firstFailures = 0, secondFailures = 0;
    std::thread other(writeMany, std::cref(first), std::ref(firstFailures));
    writeMany(second, secondFailures);
    other.join();
    EXPECT_EQ(firstFailures + secondFailures, 0);
    const std::string last = contents(file("one.dat"));
    EXPECT_TRUE(last == first || last == second);
    EXPECT_EQ(names(), std::set<std::string>{"one.dat"});
}

// A child process that writes `bytes` to `path` with files limited to 1 KB; on
// reaching the limit it stops itself (stopAtLimit) or sees the write fail.
pid_t StartLimitedWriter(const fs::path& path, const std::string& bytes, bool stopAtLimit) {
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    const rlimit limit{1024, 1024};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, stopAtLimit ? [](int) { ::raise(SIGSTOP); } : SIG_IGN);
    const auto error = WriteFileSafely(path, bytes);
    ::_exit(error && error->message == path.string() + ": File too large" ? 0 : 1);
}

TEST_F(SafeFileTest, AFailedWriteLeavesTheOldFileAndNoTemporaryFile) {
    put(file("kept.dat"), "old");
    const pid_t writer = StartLimitedWriter(file("kept.dat"), std::string(4096, 'x'), false);
    int status = 0;
    ASSERT_EQ(::waitpid(writer, &status, 0), writer);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child saw no error";
    EXPECT_EQ(contents(file("kept.dat")), "old");
    EXPECT_EQ(names(), std::set<std::string>{"kept.dat"});
}

TEST_F(SafeFileTest, TheNextWriteRemovesWhatAKilledWriteLeft) {
    put(file("plug.dat"), "old");
    put(file(".plug.dat.1.tmp"), "the user's"); // not named as a temporary file is
    const pid_t writer = StartLimitedWriter(file("plug.dat"), std::string(4096, 'x'), true);
    int status = 0;
    ASSERT_EQ(::waitpid(writer, &status, WUNTRACED), writer);
    ASSERT_TRUE(WIFSTOPPED(status));
    const auto whileWriting = names();
    EXPECT_EQ(whileWriting.size(), 3u);

    ASSERT_TRUE(Written(WriteFileSafely(file("plug.dat"), "saved")));
    EXPECT_EQ(names(), whileWriting) << "a running write keeps its file";
    ::kill(writer, SIGKILL);
    ASSERT_EQ(::waitpid(writer, &status, 0), writer);
    EXPECT_EQ(names(), whileWriting) << "until the next write, nothing tidies up";

    ASSERT_TRUE(Written(WriteFileSafely(file("plug.dat"), "again")));
    EXPECT_EQ(names(), (std::set<std::string>{".plug.dat.1.tmp", "plug.dat"}));
    EXPECT_EQ(contents(file("plug.dat")), "again");
}

} // namespace
} // namespace hx
