#include "core/settings/RecentFiles.h"

#include "core/testsupport/FileOpens.h"
#include "core/testsupport/TestFolder.h"

#include <gtest/gtest.h>

namespace hx {
namespace {

// Newest first, each file once, at most ten; a stored shorter list leaves no old
// entries behind, and a hand-edited profile with repeats reads back clean.
TEST(RecentFiles, KeepsTheLastTenNewestFirstAcrossAStore) {
    TestFolder folder("recent");
    const ProfileFile profile(folder.path() / "Config_7200.ini");
    RecentFiles recent;
    for (int i = 0; i < 12; ++i)
        recent.remember("/d/radio" + std::to_string(i) + ".dat");
    recent.remember("/d/x/../radio5.dat");
    ASSERT_EQ(recent.paths().size(), 10u);
    EXPECT_EQ(recent.paths()[0], "/d/radio5.dat");
    EXPECT_EQ(recent.paths()[1], "/d/radio11.dat");
    EXPECT_EQ(recent.paths()[9], "/d/radio2.dat"); // 0 and 1 fell off
    ASSERT_TRUE(recent.store(profile));
    EXPECT_EQ(RecentFiles::Load(profile).paths(), recent.paths());

    RecentFiles shorter;
    shorter.remember("/d/only.dat");
    ASSERT_TRUE(shorter.store(profile));
    EXPECT_EQ(RecentFiles::Load(profile).paths(), std::vector<std::string>{"/d/only.dat"});

    profile.write("RecentFiles", "File2", "/d/only.dat");
    profile.write("RecentFiles", "File3", "/d/other.dat");
    FileOpens opens(profile.path());
    RecentFiles loaded = RecentFiles::Load(profile);
    EXPECT_EQ(opens.count(), 1) << "the whole list comes from one read";
    EXPECT_EQ(loaded.paths(), (std::vector<std::string>{"/d/only.dat", "/d/other.dat"}));
    loaded.remember("/d/two\nlines.dat"); // would read back as another file
    loaded.remember("/d/trailing.dat ");
    loaded.forget("/d/only.dat");
    EXPECT_EQ(loaded.paths(), std::vector<std::string>{"/d/other.dat"});
}

} // namespace
} // namespace hx
