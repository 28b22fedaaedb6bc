#include "core/codeplug/Frequency.h"

#include <gtest/gtest.h>

namespace hx {
namespace {

// Protects the raster rules: halves go to the even step on both rasters.
TEST(Frequency, SnapsToTheRasterWithHalvesToEven) {
    EXPECT_EQ(FormatFrequency(SnapToStep(Mhz{446.00625})), "446.00000");
    EXPECT_EQ(FormatFrequency(SnapToStep(Mhz{446.09375})), "446.10000");
    EXPECT_EQ(FormatFrequency(SnapToStep(Mhz{446.01})), "446.01250");
    EXPECT_EQ(FormatFrequency(SnapTo446(Mhz{446.01})), "446.00625");
    EXPECT_EQ(FormatFrequency(SnapTo446(Mhz{446.0})), "446.00625");
    EXPECT_EQ(FormatFrequency(SnapToStep(Mhz{400})), "400.00000");
}

TEST(Frequency, FormatsWithThreeIntegerDigitsAndFiveDecimals) {
    EXPECT_EQ(FormatFrequency(Mhz{99.5}), "099.50000");
    EXPECT_EQ(FormatFrequency(Mhz{462.5625}), "462.56250");
}

TEST(Frequency, AcceptsOnlyDecimalNumbers) {
    EXPECT_EQ(ParseNumber(" 446.5 "), 446.5);
    EXPECT_EQ(ParseNumber("-1"), -1.0);
    EXPECT_EQ(ParseNumber("4e2"), 400.0);
    EXPECT_FALSE(ParseNumber(""));
    EXPECT_FALSE(ParseNumber("   "));
    EXPECT_FALSE(ParseNumber("abc"));
    EXPECT_FALSE(ParseNumber("0x10"));
    EXPECT_FALSE(ParseNumber("nan"));
    EXPECT_FALSE(ParseNumber("1.2.3"));
}

// Only typed frequencies take the comma; profile and settings values keep the point.
TEST(Frequency, TypedFrequenciesTakeADecimalComma) {
    EXPECT_EQ(ParseFrequencyText(" 446,5 "), 446.5);
    EXPECT_EQ(ParseFrequencyText("446,"), 446.0) << "as the user is typing it";
    EXPECT_EQ(ParseFrequencyText("446.5"), 446.5);
    EXPECT_FALSE(ParseFrequencyText("446,0,1"));
    EXPECT_FALSE(ParseNumber("446,5"));
}

TEST(Frequency, BandEdgesRoundToWholeNumbers) {
    const auto band = BandFromEdges("136.5", "174");
    ASSERT_TRUE(band);
    EXPECT_EQ(band->low, 136);
    EXPECT_FALSE(band->is446());
    EXPECT_TRUE(BandFromEdges("446", "446")->is446());
    EXPECT_FALSE(BandFromEdges("x", "470"));
}

} // namespace
} // namespace hx
