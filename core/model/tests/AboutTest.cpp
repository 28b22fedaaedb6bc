#include "core/model/About.h"

#include <gtest/gtest.h>

namespace hx {
namespace {

// The About box names the program and radios the way the dealers' boxes print them; an
// unknown series must not invent a product name of its own.
TEST(About, NamesTheSeriesInBothLanguagesAndFallsBackToThe7200) {
    const AboutLines chinese = AboutLinesFor(7400, Language::Chinese);
    EXPECT_EQ(chinese.title, "QRW74系列对讲机编程软件");
    EXPECT_EQ(chinese.models, "用于 HX--6400/7400");
    const AboutLines english = AboutLinesFor(7100, Language::English);
    EXPECT_EQ(english.title, "QRW71 Radio Programming Software");
    EXPECT_EQ(english.models, "For HX--6100/7100");
    const AboutLines unknown = AboutLinesFor(9900, Language::English);
    EXPECT_EQ(unknown.title, "QRW72 Radio Programming Software");
    EXPECT_EQ(unknown.models, "For HX--6200/7200");
}

TEST(About, OffersTheCompiledHelpFirstThenItsPage) {
    const auto documents = HelpDocumentsFor("/opt/hx", 7400, Language::Chinese);
    ASSERT_EQ(documents.size(), 2u);
    EXPECT_EQ(documents[0], std::filesystem::path("/opt/hx/Help/CHSHELP_7400.chm"));
    EXPECT_EQ(documents[1], std::filesystem::path("/opt/hx/Help/CHSHELP_7400.html"));
}

} // namespace
} // namespace hx
