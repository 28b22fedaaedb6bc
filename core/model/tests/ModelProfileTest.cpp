#include "core/model/ModelProfile.h"

#include "core/files/ProfileFile.h"

#include <fstream>
#include <gtest/gtest.h>

namespace hx {
namespace {

std::filesystem::path WriteProfile(const std::string& name, const std::string& text) {
    const auto path = std::filesystem::temp_directory_path() / ("hx_model_" + name + ".ini");
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

TEST(ModelProfile, MissingFileGivesFourDefaultSubModels) {
    const ModelProfile p = LoadModelProfile(ProfileFile("/nonexistent/Config_7200.ini").load());
    ASSERT_EQ(p.subModelCount, 4);
    EXPECT_EQ(p.subModelName(3), "7400");
    EXPECT_EQ(p.bandTexts[0], "7400MHz");
    EXPECT_EQ(p.titles.titleEnglish, "QRW74 Radio Programming Software V1.0");
    EXPECT_EQ(p.functionDefaults[FunctionSetting::SquelchLevel], 6);
}

TEST(ModelProfile, ReadsBandsBytesAndFirstDigitOfDefaults) {
    const auto path = WriteProfile("good", "[Model]\nModCnt=2\n0=A\n1=400\n2=470\n3=12\n"
                                           "4=B\n5=446\n6=446\n7=13\n101=7\n"
                                           "[Default]\nSql=12\n");
    const ModelProfile p = LoadModelProfile(ProfileFile(path).load());
    EXPECT_EQ(p.bandTexts, (std::vector<std::string>{"400-470MHz", "446MHz"}));
    EXPECT_EQ(p.bandCode(1), 13);
    EXPECT_EQ(p.subModelBytes[1], 7);
    EXPECT_EQ(p.functionDefaults[FunctionSetting::SquelchLevel], 1);
    EXPECT_EQ(BandText("136.5", "174"), "136-174MHz");
    std::filesystem::remove(path);
}

TEST(ModelProfile, BrokenProfilesFailWithTheirKind) {
    const auto expectKind = [](const std::string& text, ProfileError::Kind kind) {
        const auto path = WriteProfile("bad", text);
        try {
            LoadModelProfile(ProfileFile(path).load());
            ADD_FAILURE() << "no error for " << text;
        } catch (const ProfileError& e) {
            EXPECT_EQ(e.kind(), kind) << text;
        }
        std::filesystem::remove(path);
    };
    expectKind("[Model]\nModCnt=8\n", ProfileError::Kind::TooManySubModels);
    expectKind("[Model]\nModCnt=x\n", ProfileError::Kind::BadSubModelCount);
    expectKind("[Model]\nModCnt=1\n1=low\n2=470\n", ProfileError::Kind::BadBandEdge);
    expectKind("[Model]\nModCnt=1\n1=400\n2=470\n100=z\n", ProfileError::Kind::BadSubModelByte);
}

TEST(ModelProfile, ToneTableFollowsTheModel) {
    const auto path = WriteProfile("tones", "[QTDQT]\n1=0670\n[QTDQTList]\n1=670\n");
    const ToneTable t7100 = LoadToneTable(ProfileFile(path).load(), 7100);
    EXPECT_EQ(t7100.dimensions.lastPosition, 39);
    EXPECT_EQ(t7100.codes[1], "0670");
    EXPECT_EQ(t7100.codes[2], "2");
    EXPECT_EQ(t7100.names[1], "670");
    EXPECT_EQ(LoadToneTable(ProfileFile(path).load(), 1234).dimensions.lastPosition, 204);
    std::filesystem::remove(path);
}

} // namespace
} // namespace hx
