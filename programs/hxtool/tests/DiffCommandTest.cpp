#include "core/image/DataFile.h"
#include "core/image/ImageEncoder.h"
#include "core/model/ModelFiles.h"
#include "core/testsupport/ChannelRow.h"
#include "core/testsupport/TestFolder.h"
#include "programs/hxtool/Commands.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

namespace hxtool {
namespace {

namespace fs = std::filesystem;
const fs::path kShippedSettings = fs::path(HX_SOURCE_DIR) / "data/Setting";

class DiffCommand : public testing::Test {
protected:
    DiffCommand() {
        plug_.functions = model_.profile.functionDefaults;
        plug_.functions[hx::FunctionSetting::SquelchLevel] = 5;
        hx::SetChannel(plug_.channels, 2, {450.125, 450.125, 0, hx::EmptyValue, 0, 0});
    }
    fs::path save(const std::string& name, const hx::CodePlug& plug, int subModel = 1) {
        const auto path = folder_.path() / name;
        hx::WriteDataFile(path, hx::EncodeImage({plug.channels, plug.functions, subModel, 7200,
                                                 model_.profile, model_.tones}));
        return path;
    }
    int diff(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        args.insert(args.end(), {"--settings", kShippedSettings.string(), "--model", "7200"});
        return RunDiff({std::move(args), folder_.path(), out_, err_});
    }

    hx::ModelData model_ = hx::LoadModelData(kShippedSettings, 7200);
    hx::CodePlug plug_;
    TestFolder folder_{"hxtool_diff"};
    std::ostringstream out_, err_;
};

TEST_F(DiffCommand, ListsEachDifferenceByNameAndExitsLikeDiff) {
    const auto a = save("a.dat", plug_);
    EXPECT_EQ(diff({a.string(), a.string()}), 0);
    EXPECT_EQ(out_.str(), "");

    hx::CodePlug changed = plug_;
    changed.channels.setValue(2, hx::Field::RxFrequency, 450.25);
    changed.functions[hx::FunctionSetting::SquelchLevel] = 6;
    const auto b = save("b.dat", changed, 0);
    EXPECT_EQ(diff({a.string(), b.string()}), 1);
    EXPECT_EQ(out_.str(), "sub-model HX7200-U → HX7200-V\n"
                          "squelch level 5 → 6\n"
                          "channel 3 receive frequency 450.12500 → 450.25000\n");

    EXPECT_EQ(diff({a.string(), b.string(), "--lang", "zh"}), 1);
    EXPECT_NE(out_.str().find("信道3 接收频率 450.12500 → 450.25000\n"), std::string::npos);

    EXPECT_EQ(diff({a.string(), b.string(), "--json"}), 1);
    const auto json = nlohmann::json::parse(out_.str());
    EXPECT_FALSE(json["equal"].get<bool>());
    EXPECT_EQ(json["differences"][1],
              (nlohmann::json{{"what", "squelch level"}, {"first", "5"}, {"second", "6"}}));
}

// The header never reaches a radio, but files that differ there are not equal.
TEST_F(DiffCommand, HeaderBytesAreListedAfterTheRadiosDifferences) {
    const auto a = save("a.dat", plug_);
    std::string bytes = FileBytes(a);
    bytes[7] = '0';
    PutFileBytes(a, bytes);
    bytes[7] = '1';
    bytes.replace(20, 3, std::string("\x00\x01\x02", 3));
    const auto b = folder_.path() / "b.dat";
    PutFileBytes(b, bytes);

    EXPECT_EQ(diff({a.string(), b.string()}), 1);
    EXPECT_EQ(out_.str(), "file header byte 7: 30 → 31\n"
                          "file header bytes 20-22: FF FF FF → 00 01 02\n");
    EXPECT_EQ(diff({a.string(), b.string(), "--lang", "zh"}), 1);
    EXPECT_EQ(out_.str().substr(0, out_.str().find('\n')), "文件头字节 7：30 → 31");

    hx::CodePlug changed = plug_;
    changed.functions[hx::FunctionSetting::SquelchLevel] = 6;
    const auto c = save("c.dat", changed);
    EXPECT_EQ(diff({b.string(), c.string(), "--json"}), 1);
    const auto json = nlohmann::json::parse(out_.str());
    ASSERT_EQ(json["differences"].size(), 3u) << out_.str();
    EXPECT_EQ(json["differences"][0]["what"], "squelch level");
    EXPECT_EQ(json["differences"][1],
              (nlohmann::json{{"what", "file header byte 7"}, {"first", "31"}, {"second", "FF"}}));
}

// Anything that keeps the files from being compared is 2, never "equal" or "different".
TEST_F(DiffCommand, FilesThatCannotBeComparedExitWithTwo) {
    const auto a = save("a.dat", plug_);
    EXPECT_EQ(diff({a.string(), (folder_.path() / "missing.dat").string()}), 2);
    EXPECT_EQ(diff({a.string(), folder_.path().string()}), 2); // a folder
    EXPECT_EQ(diff({a.string(), a.string(), "--model", "7300"}), 2);
    EXPECT_EQ(diff({a.string()}), 2);
    EXPECT_NE(err_.str().find("expected 2 files"), std::string::npos) << err_.str();

    // A plan given by mistake, a cut-off copy and a file of the right size from
    // elsewhere are not data files, however alike two of them are.
    const std::string image = FileBytes(a);
    const std::pair<std::string, std::string> others[] = {
        {"plan.csv", "Channel,Receive frequency\n1,446.00625\n"},
        {"cut.dat", image.substr(0, hx::kImageSize - 1)},
        {"other.dat", "XOR55O" + image.substr(6)},
    };
    for (const auto& [name, bytes] : others) {
        const auto other = folder_.path() / name;
        PutFileBytes(other, bytes);
        EXPECT_EQ(diff({other.string(), other.string()}), 2) << name;
        EXPECT_EQ(err_.str(), "hxtool diff: " + other.string() + ": not a data file\n");
        EXPECT_EQ(out_.str(), "");
    }
}

} // namespace
} // namespace hxtool
