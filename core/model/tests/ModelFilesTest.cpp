#include "core/model/ModelFiles.h"

#include "core/testsupport/FileOpens.h"
#include "core/testsupport/TestFolder.h"

#include <fstream>
#include <gtest/gtest.h>

namespace hx {
namespace {

// A whole series loads from one read of each file, however many keys it holds:
// a full tone table is over 400 keys in some 4 KB.
TEST(ModelFiles, EachFileOfASeriesIsReadOnce) {
    TestFolder folder("hx_model_files");
    const auto profilePath = folder.path() / "Config_7200.ini";
    const auto tonePath = folder.path() / "QTDQT_7200.ini";
    std::ofstream(profilePath, std::ios::binary)
        << "[Model]\r\nModCnt=2\r\n0=A\r\n1=400\r\n2=470\r\n3=1\r\n4=B\r\n5=136\r\n6=174\r\n"
           "7=2\r\n[Title]\r\nEngTitle=Radio\r\n[Setting]\r\nLanguage=2\r\n";
    {
        std::ofstream tones(tonePath, std::ios::binary);
        tones << "[QTDQT]\r\n";
        for (int p = 0; p <= 204; ++p)
            tones << p << '=' << 8000 + p << "\r\n";
        tones << "[QTDQTList]\r\n";
        for (int p = 1; p <= 204; ++p)
            tones << p << "=D" << 100 + p << "N\r\n";
    }
    ASSERT_GE(std::filesystem::file_size(tonePath), 4096u);

    FileOpens profileOpens(profilePath);
    FileOpens toneOpens(tonePath);
    const ModelData data = LoadModelData(folder.path(), 7200);
    EXPECT_EQ(profileOpens.count(), 1);
    EXPECT_EQ(toneOpens.count(), 1);

    EXPECT_EQ(data.profile.bandTexts, (std::vector<std::string>{"400-470MHz", "136-174MHz"}));
    EXPECT_EQ(data.profile.titles.titleEnglish, "Radio");
    EXPECT_EQ(data.tones.codes[0], "8000");
    EXPECT_EQ(data.tones.codes[204], "8204");
    EXPECT_EQ(data.tones.names[39], "D139N");
}

} // namespace
} // namespace hx
