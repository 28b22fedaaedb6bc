#include "core/model/ToneTable.h"

#include <gtest/gtest.h>

namespace hx {
namespace {

TEST(ToneTable, LookupFindsTheFirstMatchAndNeverPositionZero) {
    ToneTable tones;
    tones.dimensions = ToneDimensionsFor(7200);
    tones.codes[0] = "0670";
    tones.codes[45] = "8023";
    tones.codes[128] = "8023";
    EXPECT_EQ(tones.positionOfCode("8023"), 45);
    EXPECT_FALSE(tones.positionOfCode("0670"));
    EXPECT_FALSE(tones.positionOfCode("1234"));
}

TEST(ToneTable, ListsAndCellsShowQtInHertzAndDqtAsNamed) {
    ToneTable tones;
    tones.dimensions = ToneDimensionsFor(7200);
    for (int p = 1; p <= 204; ++p)
        tones.names[static_cast<std::size_t>(p)] = p <= 38 ? "670" : "D023N";
    tones.names[2] = "2541";
    EXPECT_EQ(tones.displayText(0, Language::English), "None");
    EXPECT_EQ(tones.displayText(0, Language::Chinese), "无");
    EXPECT_EQ(tones.displayText(1, Language::English), "67.0");
    EXPECT_EQ(tones.displayText(2, Language::English), "254.1");
    EXPECT_EQ(tones.displayText(39, Language::English), "D023N");
    EXPECT_EQ(tones.listItems(Language::English).size(), 205u);

    tones.names[3] = "abc"; // a broken name ends the list there
    EXPECT_EQ(tones.listItems(Language::English).size(), 3u);
}

TEST(ToneTable, Model7100HasNoDqt) {
    ToneTable tones;
    tones.dimensions = ToneDimensionsFor(7100);
    for (int p = 1; p <= 39; ++p)
        tones.names[static_cast<std::size_t>(p)] = "1000";
    const auto items = tones.listItems(Language::English);
    EXPECT_EQ(items.size(), 40u);
    EXPECT_EQ(items.back(), "100.0");
}

} // namespace
} // namespace hx
