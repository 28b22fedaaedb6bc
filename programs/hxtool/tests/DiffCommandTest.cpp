#include "core/files/DataFile.h"
#include "core/files/ModelFiles.h"
#include "core/image/ImageEncoder.h"
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
        plug_.channels.setValue(2, hx::Field::RxFrequency, 450.125);
        plug_.channels.setValue(2, hx::Field::TxFrequency, 450.125);
        plug_.channels.setValue(2, hx::Field::RxTone, 0);
        plug_.channels.setValue(2, hx::Field::BusyLockout, 0);
        plug_.channels.setValue(2, hx::Field::Shift, 0);
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

// Anything that keeps the files from being compared is 2, never "equal" or "different".
TEST_F(DiffCommand, FilesThatCannotBeComparedExitWithTwo) {
    const auto a = save("a.dat", plug_);
    EXPECT_EQ(diff({a.string(), (folder_.path() / "missing.dat").string()}), 2);
    EXPECT_EQ(diff({a.string(), folder_.path().string()}), 2); // a folder
    EXPECT_EQ(diff({a.string(), a.string(), "--model", "7300"}), 2);
    EXPECT_EQ(diff({a.string()}), 2);
    EXPECT_NE(err_.str().find("expected 2 files"), std::string::npos) << err_.str();
}

} // namespace
} // namespace hxtool
