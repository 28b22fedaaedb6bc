#include "core/codeplug/FrequencyCheck.h"

#include <gtest/gtest.h>

namespace hx {
namespace {

const BandContext kUhf{"400", "470", "400-470MHz"};
const BandContext k446{"446", "446", "446MHz"};

// An entry the box takes is snapped onto the raster, the upper band edge included; a
// decimal comma is the decimal point, as many dealers' keyboards and locales write it.
TEST(FrequencyCheck, EntriesAreSnappedOntoTheRasterOrGiveNothing) {
    const struct {
        const char* entry;
        FrequencyBox box;
        const BandContext& band;
        bool keepOutOfBand;
        std::string text;
    } cases[] = {
        {"446.01", FrequencyBox::Receive, kUhf, false, "446.01250"},
        {"446.01", FrequencyBox::Transmit, k446, false, "446.00625"},
        {" 4.7e2 ", FrequencyBox::Receive, kUhf, false, "470.00000"},
        {"446,0125", FrequencyBox::Receive, kUhf, false, "446.01250"},
        {"446,01", FrequencyBox::Transmit, k446, true, "446.00625"},
        {"446,0,1", FrequencyBox::Receive, kUhf, false, ""},
        {"446.0,1", FrequencyBox::Receive, kUhf, false, ""},
        {"1,234.5", FrequencyBox::Receive, kUhf, false, ""},
        {",", FrequencyBox::Receive, kUhf, false, ""},
        {"abc", FrequencyBox::Receive, kUhf, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        const auto check =
            CheckFrequencyEntry(c.entry, c.box, c.band, c.keepOutOfBand, Language::English);
        EXPECT_EQ(check.text, c.text);
        EXPECT_EQ(check.legal.value_or(false), !c.text.empty());
    }
    EXPECT_EQ(CheckFrequencyEntry("446.01", FrequencyBox::Receive, kUhf, false, Language::English)
                  .message,
              "");
}

TEST(FrequencyCheck, RefusedEntriesCarryTheComposedMessage) {
    struct Case {
        FrequencyBox box;
        const BandContext* band;
        Language language;
        const char* message;
    };
    const Case cases[] = {
        {FrequencyBox::Receive, &kUhf, Language::English,
         "Out of range!The valid range is 400-470MHz"},
        {FrequencyBox::Transmit, &kUhf, Language::Chinese,
         "发射频率超出范围！有效范围为400-470MHz"},
        {FrequencyBox::Receive, &k446, Language::Chinese,
         "接收频率超出范围！有效范围为446.00625-446.09375MHz"},
        {FrequencyBox::Transmit, &k446, Language::English,
         "Out of range!The valid range is 446.00625-446.09375MHz"},
    };
    for (const Case& c : cases) {
        const auto check = CheckFrequencyEntry("390", c.box, *c.band, false, c.language);
        EXPECT_EQ(check.message, c.message);
        EXPECT_EQ(check.text, "");
        EXPECT_EQ(check.legal, false);
        EXPECT_EQ(check.colour, TextColour::Normal);
        EXPECT_TRUE(check.focusBack);
    }
}

TEST(FrequencyCheck, KeptEntriesAreSnappedAndMarked) {
    auto check =
        CheckFrequencyEntry("480.01", FrequencyBox::Receive, kUhf, true, Language::English);
    EXPECT_EQ(check.text, "480.01250");
    EXPECT_EQ(check.legal, false);
    EXPECT_EQ(check.message, "");
    EXPECT_EQ(check.colour, TextColour::Unchanged) << "the range marking colours it later";

    check = CheckFrequencyEntry("446.0", FrequencyBox::Receive, k446, true, Language::English);
    EXPECT_EQ(check.text, "446.00625");
    EXPECT_EQ(check.legal, true) << "snapping brought it onto the first channel";
    EXPECT_EQ(check.colour, TextColour::Unchanged);

    check = CheckFrequencyEntry("447", FrequencyBox::Receive, k446, true, Language::English);
    EXPECT_EQ(check.legal, false);
    EXPECT_EQ(check.colour, TextColour::Hint);
}

TEST(FrequencyCheck, ABrokenBandChecksNothing) {
    const auto check = CheckFrequencyEntry("450", FrequencyBox::Receive, {"x", "470", ""}, false,
                                           Language::English);
    EXPECT_EQ(check.text, "450");
    EXPECT_FALSE(check.legal);
}

TEST(FrequencyCheck, WithoutTheBandCheckImplausibleEntriesBecomeTheLowEdge) {
    EXPECT_EQ(NormaliseUncheckedEntry("99", kUhf).text, "400.00000");
    EXPECT_EQ(NormaliseUncheckedEntry("99,5", kUhf).text, "400.00000");
    EXPECT_EQ(NormaliseUncheckedEntry("520,01", kUhf).text, "520.01250");
    EXPECT_TRUE(NormaliseUncheckedEntry("999", kUhf).replacedByLowEdge);
    const auto kept = NormaliseUncheckedEntry("998.99", kUhf);
    EXPECT_EQ(kept.text, "998.98750");
    EXPECT_FALSE(kept.replacedByLowEdge);
    EXPECT_EQ(NormaliseUncheckedEntry("", kUhf).text, "");
}

TEST(FrequencyCheck, RangeJudgementMarksBothBoxes) {
    auto j = JudgeFrequencyRanges("480", "", kUhf, true, true, Language::English);
    EXPECT_TRUE(j.rxOutOfRange);
    EXPECT_FALSE(j.txOutOfRange) << "an empty transmit box is legal";
    EXPECT_EQ(j.receive.colour, TextColour::Hint);
    EXPECT_EQ(j.transmit.colour, TextColour::Normal);
    EXPECT_EQ(j.receive.text, "480.00000");

    j = JudgeFrequencyRanges("480", "300", kUhf, true, false, Language::English);
    EXPECT_TRUE(j.txOutOfRange);
    EXPECT_EQ(j.transmit.colour, TextColour::Normal);
    EXPECT_EQ(j.transmit.text, "");
    EXPECT_EQ(j.transmit.message, "Out of range!The valid range is 400-470MHz");
    EXPECT_EQ(j.receive.text, "");

    j = JudgeFrequencyRanges("480", "300", kUhf, false, true, Language::English);
    EXPECT_FALSE(j.rxOutOfRange || j.txOutOfRange);
    EXPECT_EQ(j.receive.text, "480");
    EXPECT_EQ(j.receive.colour, TextColour::Unchanged);
}

} // namespace
} // namespace hx
