#include "core/settings/AppFolder.h"

#include "core/testsupport/TestFolder.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <pwd.h>
#include <string>
#include <unistd.h>

namespace hx {
namespace {

namespace fs = std::filesystem;

TEST(AppFolder, PortableWhenWritableElsePerUserSeededOnce) {
    const TestFolder folder("hx_appfolder");
    const fs::path root = folder.path();
    fs::create_directories(root / "bin/Setting");
    std::ofstream(root / "bin/Setting/ParaConfig.ini") << "[Config]\nType=7100\n";
    fs::create_directories(root / "bin/Help/images");
    std::ofstream(root / "bin/Help/images/window-en.png") << "png";
    EXPECT_EQ(ChooseAppFolder(root / "bin", root / "user"), root / "bin");

    if (::geteuid() != 0) { // root may write anywhere
        fs::permissions(root / "bin", fs::perms::owner_read | fs::perms::owner_exec);
        std::ofstream(root / "user-kept.ini") << "";
        EXPECT_EQ(ChooseAppFolder(root / "bin", root / "user"), root / "user");
        EXPECT_TRUE(fs::exists(root / "user/Setting/ParaConfig.ini"));
        EXPECT_TRUE(fs::exists(root / "user/Help/images/window-en.png"));
        std::ofstream(root / "user/Setting/ParaConfig.ini") << "[Config]\nType=7400\n";
        ChooseAppFolder(root / "bin", root / "user"); // the user's own file stays
        EXPECT_NE(FileBytes(root / "user/Setting/ParaConfig.ini").find("7400"), std::string::npos);
        fs::permissions(root / "bin", fs::perms::owner_all);
    }
}

// An installed program may find its bin folder writable (root, or a prefix the user
// owns); it still keeps its settings per user, never beside itself.
TEST(AppFolder, InstalledLayoutAlwaysUsesThePerUserFolder) {
    const TestFolder folder("hx_installed");
    const fs::path root = folder.path();
    fs::create_directories(root / "usr/bin");
    fs::create_directories(root / "usr/share/hxprog/Setting");
    std::ofstream(root / "usr/share/hxprog/Setting/Config_7200.ini") << "[Model]\n";
    fs::create_directories(root / "usr/share/hxprog/Help/images");
    std::ofstream(root / "usr/share/hxprog/Help/EngHELP_7200.html") << "<html/>";

    EXPECT_EQ(ChooseAppFolder(root / "usr/bin", root / "home/hxprog"), root / "home/hxprog");
    EXPECT_TRUE(fs::exists(root / "home/hxprog/Setting/Config_7200.ini"));
    EXPECT_TRUE(fs::exists(root / "home/hxprog/Help/EngHELP_7200.html"));
    EXPECT_FALSE(fs::exists(root / "usr/bin/Setting"));
}

// Sets an environment variable for one scope and puts the old value back.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedVariable() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(AppFolder, PerUserFolderFollowsTheDataHomeOnlyWhenItIsAbsolute) {
    const ScopedVariable home("HOME", "/home/dealer");
    {
        const ScopedVariable dataHome("XDG_DATA_HOME", "/data/dealer");
        EXPECT_EQ(UserDataFolder(), fs::path("/data/dealer/hxprog"));
    }
    {
        const ScopedVariable dataHome("XDG_DATA_HOME", "relative/share");
        EXPECT_EQ(UserDataFolder(), fs::path("/home/dealer/.local/share/hxprog"));
    }
    const ScopedVariable dataHome("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(UserDataFolder(), fs::path("/home/dealer/.local/share/hxprog"));
}

// Root run with another user's environment (sudo -E) must not leave root-owned files
// in that user's folder.
TEST(AppFolder, RootKeepsToItsOwnHome) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root";
    const TestFolder folder("hx_roothome");
    const fs::path userHome = folder.path() / "dealer";
    fs::create_directory(userHome);
    ASSERT_EQ(::chown(userHome.c_str(), 65534, 65534), 0);
    const ScopedVariable home("HOME", userHome.c_str());
    const ScopedVariable dataHome("XDG_DATA_HOME", (userHome / "share").c_str());
    EXPECT_EQ(UserDataFolder(), fs::path(::getpwuid(0)->pw_dir) / ".local/share/hxprog");
}

// A program that only looks (the cable doctor) neither creates nor fills the folder.
TEST(AppFolder, LookingOnlyChangesNothing) {
    const TestFolder folder("hx_lookonly");
    const fs::path prefix = folder.path() / "usr";
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "share/hxprog/Setting");
    const fs::path user = folder.path() / "home/.local/share/hxprog";
    EXPECT_EQ(ChooseAppFolder(prefix / "bin", user, FolderUse::LookOnly), prefix / "share/hxprog");
    EXPECT_FALSE(fs::exists(user));
    fs::create_directories(user / "Setting");
    EXPECT_EQ(ChooseAppFolder(prefix / "bin", user, FolderUse::LookOnly), user);
}

} // namespace
} // namespace hx
