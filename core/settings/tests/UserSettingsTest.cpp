#include "core/settings/UserSettings.h"

#include "core/testsupport/FileOpens.h"
#include "core/testsupport/TestFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace hx {
namespace {

namespace fs = std::filesystem;

class UserSettingsTest : public testing::Test {
protected:
    void put(const std::string& text) const { std::ofstream(path_) << text; }
    SettingsStore store() const { return SettingsStore(ProfileFile(path_)); }
    SettingsOutcome read(Language chosen = Language::English) {
        return ReadOrStoreSettings(store(), false, true, {}, [&] {
            ++chooserShown_;
            return chosen;
        });
    }
    TestFolder folder_{"hx_settings"};
    const fs::path path_ = folder_.path() / "Config.ini";
    int chooserShown_ = 0;
};

TEST(SettingTexts, ConvertLikeTheirKind) {
    EXPECT_EQ(ParseColour("&H0000FF")->red(), 255);
    EXPECT_EQ(ParseColour("&hD8DBE4")->blue(), 0xD8);
    EXPECT_EQ(ParseColour("255")->red(), 255);
    EXPECT_FALSE(ParseColour("&Hxyz"));
    EXPECT_FALSE(ParseColour(""));
    EXPECT_EQ(ParseBoolean("tRUE"), true);
    EXPECT_EQ(ParseBoolean("0"), false);
    EXPECT_EQ(ParseBoolean("-3"), true);
    EXPECT_FALSE(ParseBoolean("yes"));
    EXPECT_EQ(ParseWholeNumber("12"), 12);
    EXPECT_FALSE(ParseWholeNumber("a"));
    EXPECT_TRUE(MarksOutOfBand("junk"));
    EXPECT_FALSE(MarksOutOfBand("false"));
}

TEST_F(UserSettingsTest, FirstStartAsksOnceAndWritesTheCompleteSet) {
    const SettingsOutcome first = read(Language::Chinese);
    EXPECT_TRUE(first.firstStart);
    EXPECT_FALSE(first.failed);
    EXPECT_EQ(chooserShown_, 1);
    ASSERT_TRUE(first.settings);
    EXPECT_EQ(first.settings->language, Language::Chinese);
    EXPECT_EQ(first.settings->subModel, 1);
    EXPECT_TRUE(first.settings->notLimitedModel);

    const SettingsOutcome again = read();
    EXPECT_FALSE(again.firstStart);
    EXPECT_EQ(chooserShown_, 1);
    ASSERT_TRUE(again.colours);
    EXPECT_EQ(again.colours->full, BgrColour{0xD8DBE4});
    EXPECT_EQ(again.colours->text, BgrColour{0xDDDEE4});
    EXPECT_EQ(again.colours->textText, BgrColour{0xFFFFFF});
    EXPECT_EQ(again.colours->hint, BgrColour{0x0000FF}) << "never written, default";
    const ProfileFile file(path_);
    EXPECT_EQ(file.read("Setting", "Path", "x", 299), "");
    EXPECT_EQ(file.read("Setting", "FreEqual", "x", 1), "1");
}

TEST_F(UserSettingsTest, ReadsRoomLimitedValues) {
    put("[Setting]\nLanguage=12\nCOM=3\nModel=9\nFreEqual=5\nValLegal=False\n"
        "OverFreFont=False\nPath=C:\\radio.dat\n");
    const SettingsOutcome outcome = read();
    EXPECT_FALSE(outcome.firstStart);
    ASSERT_TRUE(outcome.settings);
    EXPECT_EQ(outcome.settings->language, Language::Chinese) << "room of one character";
    EXPECT_EQ(outcome.settings->portNumber, 3);
    EXPECT_EQ(outcome.settings->subModel, 9);
    EXPECT_EQ(outcome.settings->txEqualsRx, 1);
    EXPECT_FALSE(outcome.settings->bandCheckOn);
    EXPECT_FALSE(outcome.settings->outOfBandMarking);
    EXPECT_EQ(outcome.settings->path, "C:\\radio.dat");

    put("[Setting]\nLanguage=7\n");
    EXPECT_EQ(read().settings->language, Language::English);
}

TEST_F(UserSettingsTest, ABrokenValueRunsTheFirstStartAgain) {
    put("[Setting]\nLanguage=2\nCOM=4\nValLegal=maybe\n");
    const SettingsOutcome outcome = read();
    EXPECT_TRUE(outcome.firstStart);
    EXPECT_EQ(outcome.settings->portNumber, 1);
    EXPECT_TRUE(outcome.settings->bandCheckOn);

    put("[Setting]\nLanguage=2\nColorFull=&Hzz\n");
    EXPECT_TRUE(read().firstStart) << "a broken colour counts too";
}

TEST_F(UserSettingsTest, AStartReadsTheProfileOnce) {
    put("[Setting]\nColorFull=&HD8DBE4\nLanguage=2\nCOM=3\nModel=1\nPath=/a.dat\n");
    FileOpens opens(path_);
    const SettingsOutcome outcome = read();
    EXPECT_EQ(opens.count(), 1);
    EXPECT_EQ(outcome.colours->full, BgrColour{0xD8DBE4});
    EXPECT_EQ(outcome.settings->portNumber, 3);
}

TEST_F(UserSettingsTest, StoreRewritesItsFiveKeysOnlyOutsideStartUp) {
    read();
    const StoreSet set{Language::Chinese, 7, "/data/a.dat", 2, false};
    ReadOrStoreSettings(store(), true, true, set, [] { return Language::English; });
    const ProfileFile file(path_);
    EXPECT_EQ(file.read("Setting", "COM", "", 2), "1") << "start-up stores nothing";

    ReadOrStoreSettings(store(), true, false, set, [] { return Language::English; });
    EXPECT_EQ(file.read("Setting", "Language", "", 1), "1");
    EXPECT_EQ(file.read("Setting", "COM", "", 2), "7");
    EXPECT_EQ(file.read("Setting", "Path", "", 299), "/data/a.dat");
    EXPECT_EQ(file.read("Setting", "Model", "", 2), "2");
    EXPECT_EQ(file.read("Setting", "ValLegal", "", 5), "False");
    store().storeTxEqualsRx(false);
    EXPECT_EQ(file.read("Setting", "FreEqual", "", 1), "0");
}

// The trace is off until asked for; a broken value leaves it off without taking the
// other settings with it.
TEST_F(UserSettingsTest, TheSerialTraceIsOffUnlessStoredOn) {
    put("[Setting]\nLanguage=2\nCOM=3\n");
    EXPECT_FALSE(ReadSerialTrace(store().load()));
    store().storeSerialTrace(true);
    EXPECT_TRUE(ReadSerialTrace(store().load()));
    put("[Setting]\nLanguage=2\nCOM=3\nSerialTrace=maybe\n");
    EXPECT_FALSE(ReadSerialTrace(store().load()));
    EXPECT_FALSE(read().firstStart);
}

// Verification and backup are stored together and read back each on its own key, so
// turning one on leaves the other as it was; a broken value reads as off.
TEST_F(UserSettingsTest, TheWriteProofOptionsAreOffUntilStoredAndKeptApart) {
    put("[Setting]\nLanguage=2\nCOM=3\nSerialTrace=True\n");
    EXPECT_EQ(ReadWriteProof(store().load()), WriteProof{});
    store().storeWriteProof({.verify = true, .backup = false});
    EXPECT_EQ(ReadWriteProof(store().load()), (WriteProof{.verify = true, .backup = false}));
    store().storeWriteProof({.verify = false, .backup = true});
    EXPECT_EQ(ReadWriteProof(store().load()), (WriteProof{.verify = false, .backup = true}));
    EXPECT_TRUE(ReadSerialTrace(store().load()));
    put("[Setting]\nVerifyAfterWrite=yes please\nBackupBeforeWrite=True\n");
    EXPECT_EQ(ReadWriteProof(store().load()), (WriteProof{.verify = false, .backup = true}));
}

} // namespace
} // namespace hx
