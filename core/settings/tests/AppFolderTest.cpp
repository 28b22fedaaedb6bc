#include "core/settings/AppFolder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace hx {
namespace {

namespace fs = std::filesystem;

TEST(AppFolder, PortableWhenWritableElsePerUserSeededOnce) {
    const fs::path root =
        fs::temp_directory_path() / ("hx_appfolder_" + std::to_string(::getpid()));
    fs::remove_all(root);
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
        std::ifstream in(root / "user/Setting/ParaConfig.ini");
        std::string text((std::istreambuf_iterator<char>(in)), {});
        EXPECT_NE(text.find("7400"), std::string::npos);
        fs::permissions(root / "bin", fs::perms::owner_all);
    }
    fs::remove_all(root);
}

} // namespace
} // namespace hx
