#include "core/image/DataFile.h"
#include "core/image/ImageEncoder.h"
#include "core/model/ModelFiles.h"
#include "core/testsupport/ChannelRow.h"
#include "core/testsupport/TestFolder.h"
#include "programs/hxtool/Commands.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace hxtool {
namespace {

namespace fs = std::filesystem;
const fs::path kShippedSettings = fs::path(HX_SOURCE_DIR) / "data/Setting";

class PlanCommands : public testing::Test {
protected:
    int run(int (*command)(const Invocation&), std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        args.insert(args.end(), {"--settings", kShippedSettings.string(), "--model", "7200"});
        return command({std::move(args), dir_, out_, err_});
    }
    fs::path put(const std::string& name, const std::string& text) const {
        std::ofstream(dir_ / name, std::ios::binary) << text;
        return dir_ / name;
    }
    static std::string contents(const fs::path& path) { return FileBytes(path); }

    TestFolder folder_{"hxtool_plan"};
    const fs::path dir_ = folder_.path();
    std::ostringstream out_, err_;
};

TEST_F(PlanCommands, ExportThenImportWritesTheSameFile) {
    const hx::ModelData model = hx::LoadModelData(kShippedSettings, 7200);
    hx::ChannelTable channels;
    hx::SetChannel(channels, 4, {145.0125, 150.0125, 3, 130, 1, 0});
    const auto original = dir_ / "original.dat";
    hx::WriteDataFile(original, hx::EncodeImage({channels, model.profile.functionDefaults, 0, 7200,
                                                 model.profile, model.tones}));
    // 145 MHz lies outside the band an import starts from: the plan brings its sub-model.
    ASSERT_EQ(run(RunExport, {original.string(), "-o", (dir_ / "plan.csv").string(), "--lang", "zh",
                              "--separator", "semicolon"}),
              kExitSuccess)
        << err_.str();
    EXPECT_TRUE(contents(dir_ / "plan.csv").starts_with("\xEF\xBB\xBF信道;接收频率;"));
    EXPECT_NE(contents(dir_ / "plan.csv").find("\r\n5;145,01250;150,01250;"), std::string::npos);
    ASSERT_EQ(run(RunImport, {(dir_ / "plan.csv").string(), "-o", (dir_ / "back.dat").string()}),
              kExitSuccess)
        << err_.str();
    EXPECT_EQ(contents(dir_ / "back.dat"), contents(original));
}

// A frequency kept as given is said on a warning line; a refused row writes nothing
// unless skipped, and a plan of which no row can be used never writes a file.
TEST_F(PlanCommands, RejectedRowsWriteNothingUnlessSkipped) {
    const auto plan = put("plan.csv", "1,480\n2,450.0125\n3,450.0125,,88\n4,446.00625\n");
    const auto output = dir_ / "out.dat";
    EXPECT_EQ(run(RunImport, {plan.string(), "-o", output.string()}), kExitFailure);
    const std::string prefix = "hxtool import: " + plan.string() + ": ";
    EXPECT_EQ(err_.str(), prefix +
                              "warning: line 1: receive frequency '480.00000': Out of range!The "
                              "valid range is 400-470MHz\n" +
                              prefix + "line 3: decode tone '88': not in the list\n" + prefix +
                              "warning: line 4: receive frequency '446.00625': off the 12.5 kHz "
                              "raster\n"
                              "hxtool import: nothing written; --skip-bad writes the other rows\n");
    EXPECT_FALSE(fs::exists(output));

    EXPECT_EQ(run(RunImport, {plan.string(), "-o", output.string(), "--skip-bad", "--lang", "zh"}),
              kExitSuccess);
    EXPECT_NE(err_.str().find(": 第 3 行：QT/DQT解码“88”：不在列表中\n"), std::string::npos)
        << err_.str();
    ASSERT_EQ(run(RunDecode, {output.string()}), kExitSuccess);
    EXPECT_NE(out_.str().find("2   450.01250  "), std::string::npos) << out_.str();
    EXPECT_NE(out_.str().find("4   446.00625  "), std::string::npos) << out_.str();
    EXPECT_NE(out_.str().find("3   not in use"), std::string::npos) << out_.str();

    const auto hopeless = put("hopeless.csv", "1,4x0\n2,450,,88\n");
    const auto untouched = dir_ / "untouched.dat";
    EXPECT_EQ(run(RunImport, {hopeless.string(), "-o", untouched.string(), "--skip-bad"}),
              kExitFailure);
    EXPECT_TRUE(err_.str().ends_with("nothing written; no row of " + hopeless.string() +
                                     " could be used\n"))
        << err_.str();
    EXPECT_FALSE(fs::exists(untouched));

    EXPECT_EQ(run(RunImport, {put("junk.csv", "\xFF\xFE\xFF").string(), "-o", output.string()}),
              kExitFailure);
    EXPECT_EQ(run(RunExport, {output.string(), "-o", "x.csv", "--separator", "pipe"}), kExitUsage);
    EXPECT_EQ(run(RunImport, {plan.string()}), kExitUsage) << "no -o";
}

// CHIRP's CSV out and back: the same data file where it holds nothing CHIRP lacks a
// column for; what the file holds that this radio does not is said once.
TEST_F(PlanCommands, ChirpOutAndBack) {
    const hx::ModelData model = hx::LoadModelData(kShippedSettings, 7200);
    hx::ChannelTable channels;
    hx::SetChannel(channels, 2, {446.00625, 451.00625, 130, 8, 0, 0});
    const auto original = dir_ / "original.dat";
    hx::WriteDataFile(original, hx::EncodeImage({channels, model.profile.functionDefaults, 1, 7200,
                                                 model.profile, model.tones}));
    const auto chirp = dir_ / "chirp.csv";
    ASSERT_EQ(run(RunExport, {original.string(), "-o", chirp.string(), "--format", "chirp"}),
              kExitSuccess)
        << err_.str();
    EXPECT_TRUE(contents(chirp).starts_with(
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
        "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
        "3,,446.006250,+,5.000000,Cross,88.5,88.5,023,NR,054,Tone->DTCS,"))
        << contents(chirp);
    ASSERT_EQ(run(RunImport, {chirp.string(), "-o", (dir_ / "back.dat").string()}), kExitSuccess)
        << err_.str();
    EXPECT_EQ(contents(dir_ / "back.dat"), contents(original));
    EXPECT_NE(err_.str().find(": not stored by this radio: TStep\n"), std::string::npos)
        << err_.str();
    EXPECT_EQ(run(RunExport, {original.string(), "-o", chirp.string(), "--format", "chirp",
                              "--separator", "tab"}),
              kExitUsage);
}

// The shipped example data set comes back byte for byte through its plan.
TEST_F(PlanCommands, TheExampleDataSetSurvivesItsPlan) {
    const auto example = dir_ / "example.dat";
    ASSERT_EQ(run(RunEncode, {(fs::path(HX_SOURCE_DIR) / "packaging/example-7200.json").string(),
                              "-o", example.string()}),
              kExitSuccess)
        << err_.str();
    const auto plan = dir_ / "example.csv";
    ASSERT_EQ(run(RunExport, {example.string(), "-o", plan.string()}), kExitSuccess) << err_.str();
    ASSERT_EQ(run(RunImport, {plan.string(), "-o", (dir_ / "back.dat").string()}), kExitSuccess)
        << err_.str();
    EXPECT_EQ(contents(dir_ / "back.dat"), contents(example));
}

} // namespace
} // namespace hxtool
