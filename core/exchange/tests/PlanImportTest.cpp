#include "core/exchange/PlanImport.h"

#include "core/exchange/PlanExport.h"
#include "core/exchange/tests/ImportFixtures.h"
#include "core/testsupport/ChannelRow.h"

#include <gtest/gtest.h>

namespace hx {

namespace {

// What a preview lists of a channel: its line and its row afterwards.
struct Changed {
    int line;
    int channel; // 1-16
    ChannelRowTexts after;
    bool operator==(const Changed&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Changed& c) {
    out << "line " << c.line << " channel " << c.channel << ":";
    for (const auto& cell : c.after.cells)
        out << " [" << cell << "]";
    return out << " comment [" << c.after.comment << "]";
}

std::vector<Changed> ChannelsChanged(const PlanImport& result) {
    std::vector<Changed> changed;
    for (const ChannelChange& c : result.channelChanges)
        changed.push_back({c.line, c.channel + 1, c.after});
    return changed;
}

std::vector<std::string> SettingsChanged(const PlanImport& result) {
    std::vector<std::string> changed;
    for (const SettingChange& s : result.settingChanges)
        changed.push_back(std::to_string(s.line) + " " + s.name + ": " + s.before + " -> " +
                          s.after);
    return changed;
}

class PlanImportTest : public testing::Test {
protected:
    PlanImport import(const std::string& bytes, Language language = Language::English) const {
        const auto result = ImportPlanCsv(bytes, start_, {model_, language});
        EXPECT_TRUE(std::holds_alternative<PlanImport>(result));
        return std::get<PlanImport>(result);
    }

    const ModelData model_ = LoadModelData(kShippedSettings, 7200);
    const ChannelPlan start_{StartState(model_.profile), {}}; // sub-model HX7200-U, 400-470 MHz
};

// An English export edited in a decimal-comma spreadsheet and saved with semicolons:
// numbers lose their trailing zeros, a comment gains a semicolon and a line break.
// Values come in exactly as written; what the editor would have snapped or marked is
// kept and said, and an out-of-band frequency is refused only where the editor
// refuses it.
TEST_F(PlanImportTest, DecimalCommaSemicolonFileFromASpreadsheet) {
    const PlanImport result = import(Fixture("decimal-comma-semicolon.csv"));
    EXPECT_EQ(result.rejected, std::vector<RejectedRow>{});
    using R = ChannelRowTexts;
    EXPECT_EQ(
        ChannelsChanged(result),
        (std::vector<Changed>{
            {2, 1, R{{"450.01250", "455.01250", "67.0", "D047N", "Yes", "No"}, "Gate"}},
            {3, 2, R{{"450.01300", "450.01300", "71.9", "71.9", "No", "No"}, "Yard; north\nside"}},
            {5, 3, R{{"460.00000", "", "None", "", "No", "Yes"}, ""}},
            {6, 4, R{{"480.00000", "480.00000", "None", "None", "No", "No"}, ""}},
            {7, 5, R{{"450.01250", "", "None", "", "No", "No"}, ""}}, // given in kHz
        }));
    const std::string outOfBand = "Out of range!The valid range is 400-470MHz";
    EXPECT_EQ(result.warnings, (std::vector<RowWarning>{
                                   {3, "receive frequency '450.01300': off the 12.5 kHz raster"},
                                   {3, "transmit frequency '450.01300': off the 12.5 kHz raster"},
                                   {6, "receive frequency '480.00000': " + outOfBand},
                                   {6, "transmit frequency '480.00000': " + outOfBand}}));
    EXPECT_EQ(result.channelChanges[1].notes[0], "off the 12.5 kHz raster");
    EXPECT_EQ(
        SettingsChanged(result),
        (std::vector<std::string>{"11 squelch level: 6 -> 4", "12 wide/narrow: Narrow -> Wide"}));
    EXPECT_EQ(result.plan.state.channels.value(1, Field::RxFrequency), 450.013);

    const auto refusing = std::get<PlanImport>(ImportPlanCsv(
        Fixture("decimal-comma-semicolon.csv"), start_, {model_, Language::English, true, false}));
    EXPECT_EQ(refusing.rejected,
              (std::vector<RejectedRow>{{6, "receive frequency '480': " + outOfBand}}));
}

// A Chinese spreadsheet saves GB18030; its plan is for another sub-model, which
// empties the table and resets the settings as choosing it in the window does.
TEST_F(PlanImportTest, ChineseHeadingInGb18030ForAnotherSubModel) {
    PlanImport result = import(Fixture("chinese-gb18030.csv"), Language::Chinese);
    EXPECT_EQ(result.rejected, (std::vector<RejectedRow>{{4, "QT/DQT解码“68.5”：不在列表中"}}));
    EXPECT_EQ(result.warnings,
              (std::vector<RowWarning>{
                  {5, "接收频率“174.50000”：接收频率超出范围！有效范围为136-174MHz"}}));
    using R = ChannelRowTexts;
    EXPECT_EQ(
        ChannelsChanged(result),
        (std::vector<Changed>{{2, 1, R{{"136.01250", "136.01250", "无", "无", "是", "否"}, "东门"}},
                              {3, 2, R{{"145.50000", "145.50000", "88.5", "88.5", "否", "否"}, ""}},
                              {5, 4, R{{"174.50000", "", "无", "", "否", "否"}, ""}}}));
    EXPECT_EQ(SettingsChanged(result),
              (std::vector<std::string>{"7 机型: HX7200-U -> HX7200-V",
                                        "9 监听键: 静噪关闭 -> 瞬时监听", "8 静噪等级: 6 -> 5"}));

    // A channel the old sub-model had is gone with it, and listed as such.
    ChannelPlan current = start_;
    current.state.channels.setValue(9, Field::RxFrequency, 450.0);
    result = std::get<PlanImport>(
        ImportPlanCsv(Fixture("chinese-gb18030.csv"), current, {model_, Language::English}));
    ASSERT_EQ(result.channelChanges.size(), 4u);
    EXPECT_EQ(result.channelChanges[3].line, 7);
    EXPECT_EQ(result.channelChanges[3].before.cells[0], "450.00000");
    EXPECT_EQ(result.channelChanges[3].after, ChannelRowTexts{});
}

// A file typed by hand: every way a row can fail, with the exact reason, beside rows
// in quotes, with units and with a channel number left out.
TEST_F(PlanImportTest, HandEditedFileRejectsEachBadRowWithItsReason) {
    const PlanImport result = import(Fixture("hand-edited.csv"));
    EXPECT_EQ(result.rejected,
              (std::vector<RejectedRow>{{3, "channel '17': not a channel from 1 to 16"},
                                        {4, "receive frequency '4x0': not a frequency"},
                                        {5, "transmit frequency needs a receive frequency"},
                                        {6, "encode tone needs a transmit frequency"},
                                        {7, "busy channel lockout 'maybe': neither Yes nor No"},
                                        {8, "channel 1 is already given on line 2"},
                                        {9, "neither a channel nor a setting"},
                                        {11, "squelch level '12': not in the list"}}));
    using R = ChannelRowTexts;
    EXPECT_EQ(ChannelsChanged(result),
              (std::vector<Changed>{
                  {2, 1, R{{"450.01250", "450.01250", "67.0", "67.0", "Yes", "No"}, ""}},
                  {12, 6, R{{"460.00000", "465.00000", "D023N", "D023I", "No", "Yes"}, ""}},
                  {13, 7, R{{"450.02500", "", "None", "", "No", "No"}, ""}},
                  {14, 8, R{{"450.03750", "", "None", "", "No", "No"}, ""}},
                  // Halfway between two channels: kept, where the editor would snap it.
                  {15, 9, R{{"455.00625", "", "None", "", "No", "No"}, ""}}}));
    EXPECT_TRUE(result.settingChanges.empty());
    EXPECT_EQ(DescribeRejection(result.rejected[0], Language::Chinese),
              "第 3 行：channel '17': not a channel from 1 to 16");
}

// The band check off: any frequency the radio can store, as given.
TEST_F(PlanImportTest, WithoutBandCheckOnlyWhatTheRadioCannotStoreIsRefused) {
    const auto result = std::get<PlanImport>(
        ImportPlanCsv("1,145.0130\n2,99.5\n3,999\n4,450.012345\n5,450.01250000000002\n", start_,
                      {model_, Language::English, false}));
    EXPECT_EQ(result.rejected,
              (std::vector<RejectedRow>{
                  {2, "receive frequency '99.5': not from 100 to below 999 MHz"},
                  {3, "receive frequency '999': not from 100 to below 999 MHz"},
                  {4, "receive frequency '450.012345': finer than the radio's 10 Hz "
                      "steps"}}));
    EXPECT_EQ(result.plan.state.channels.value(0, Field::RxFrequency), 145.013);
    EXPECT_EQ(result.plan.state.channels.value(4, Field::RxFrequency), 450.0125);
}

// The worked example: 446.00625 MHz lies off the plain raster of the 400-470 MHz
// sub-model but is a frequency the image holds, so it comes back exactly and is said;
// on the 446 MHz sub-model it is the first channel and nothing is said.
TEST_F(PlanImportTest, AFrequencyOffTheRasterIsKeptAndSaid) {
    const PlanImport onU = import("1,446.00625,446.00625\n");
    EXPECT_EQ(onU.plan.state.channels.value(0, Field::RxFrequency), 446.00625);
    EXPECT_EQ(onU.plan.state.channels.value(0, Field::TxFrequency), 446.00625);
    EXPECT_EQ(onU.warnings.size(), 2u);
    EXPECT_EQ(DescribeWarning(onU.warnings[0], Language::English),
              "line 1: receive frequency '446.00625': off the 12.5 kHz raster");

    const PlanImport on446 = import("sub-model,HX7200-446\n1,446.00625\n2,446.0\n");
    EXPECT_EQ(on446.plan.state.channels.value(0, Field::RxFrequency), 446.00625);
    EXPECT_EQ(on446.warnings,
              (std::vector<RowWarning>{{3, "receive frequency '446.00000': Out of "
                                           "range!The valid range is 446.00625-446.09375MHz; "
                                           "off the 12.5 kHz raster"}}));
}

// Rows are channels in order: in a plan without channel numbers a row of empty cells
// is an unused channel, so the rows after it keep their places; where rows carry
// numbers, a spreadsheet's empty row (its blank line padded with separators) places
// nothing. A quote that never closes refuses the file, naming its line.
TEST_F(PlanImportTest, EmptyRowsKeepTheirPlaceAndAnUnclosedQuoteRefuses) {
    const PlanImport unnumbered = import("450.0125,,,,,\n,,,,,\n,,,,,\n452.5,,,,,\n\n453,,,,,\n");
    EXPECT_TRUE(unnumbered.rejected.empty());
    const auto& channels = unnumbered.plan.state.channels;
    EXPECT_EQ(channels.value(3, Field::RxFrequency), 452.5);
    EXPECT_EQ(channels.value(4, Field::RxFrequency), 453.0) << "a line without separators is blank";
    EXPECT_FALSE(channels.inUse(1));

    ChannelPlan full = start_;
    for (int c = 0; c < kChannelCount; ++c)
        full.state.channels.setValue(c, Field::RxFrequency, 460.0);
    const std::string excelPadded = "channel,receive frequency,comment\r\n1,450,\r\n,,\r\n"
                                    "2,451,\r\n,,\r\nsquelch level,3,\r\n";
    const auto numbered =
        std::get<PlanImport>(ImportPlanCsv(excelPadded, full, {model_, Language::English}));
    EXPECT_TRUE(numbered.rejected.empty());
    EXPECT_EQ(numbered.usedRows, 3);
    EXPECT_EQ(numbered.plan.state.channels.value(2, Field::RxFrequency), 460.0);

    const std::string unclosed = "1,450,,,,,,ok\n2,451,,,,,,\"Yard\n3,452\n4,453\n";
    const auto refused = ImportPlanCsv(unclosed, start_, {model_, Language::English});
    ASSERT_TRUE(std::holds_alternative<UnreadablePlan>(refused));
    EXPECT_EQ(std::get<UnreadablePlan>(refused).reason, "the quote opened on line 2 never closes");
    const PlanImport pasted = PasteChannels(unclosed, 0, start_, {model_, Language::English});
    EXPECT_FALSE(pasted.changesAnything());
    EXPECT_EQ(pasted.rejected,
              (std::vector<RejectedRow>{{2, "the quote opened on line 2 never closes"}}));
}

// However large or many-lined a cell, a message quotes 40 characters of it on one line.
TEST_F(PlanImportTest, MessagesQuoteAShortPieceOfACell) {
    std::string chinese;
    for (int i = 0; i < 24; ++i)
        chinese += "信道";
    const PlanImport result = import("1," + std::string(900000, '7') + "\n2,\"450\r\n4x0\"\n" +
                                     "3,450,,,,\"" + chinese + "\"\n");
    ASSERT_EQ(result.rejected.size(), 3u);
    EXPECT_EQ(result.rejected[0].reason,
              "receive frequency '" + std::string(40, '7') + "…': not a frequency");
    EXPECT_EQ(result.rejected[1].reason, "receive frequency '450 4x0': not a frequency");
    EXPECT_EQ(result.rejected[2].line, 4);
    EXPECT_EQ(result.rejected[2].reason,
              "busy channel lockout '" + chinese.substr(0, 120) + "…': neither Yes nor No");
}

// Pasted from a spreadsheet with some of the columns: the rest of each channel stays,
// the rows run from the chosen channel on, and the table ends at channel 16.
TEST_F(PlanImportTest, PasteFromASpreadsheetKeepsTheColumnsItLacks) {
    ChannelPlan current = start_;
    SetChannel(current.state.channels, 13, {440, 445, 1, 5, 1, 0});
    const PlanImport result =
        PasteChannels(Fixture("spreadsheet-paste.txt"), 13, current, {model_, Language::English});
    EXPECT_EQ(result.rejected, (std::vector<RejectedRow>{{5, "no channel after channel 16"}}));
    using R = ChannelRowTexts;
    EXPECT_EQ(ChannelsChanged(result),
              (std::vector<Changed>{
                  {2, 14, R{{"450.05000", "455.05000", "100.0", "79.7", "Yes", "No"}, ""}},
                  {3, 15, R{{"450.06250", "455.06250", "None", "None", "No", "No"}, ""}},
                  {4, 16, R{{"450.07500", "", "D023N", "", "No", "No"}, ""}}}));

    const PlanImport oneColumn = PasteChannels("接收频率\r\n460\r\n", 13, current, {model_});
    EXPECT_TRUE(oneColumn.rejected.empty());
    ASSERT_EQ(oneColumn.channelChanges.size(), 1u);
    EXPECT_EQ(oneColumn.channelChanges[0].after.cells[0], "460.00000");
    EXPECT_EQ(oneColumn.channelChanges[0].after.cells[4], "Yes");
}

// What Ctrl+C gives pastes back as the same channels elsewhere; a settings row does not.
TEST_F(PlanImportTest, CopiedChannelsPasteBackAsTheyWere) {
    ChannelPlan source = start_;
    const std::string copied =
        ChannelsAsText(std::get<PlanImport>(ImportPlanCsv(Fixture("decimal-comma-semicolon.csv"),
                                                          start_, {model_, Language::English}))
                           .plan,
                       {0, 1, 2}, {model_, Language::Chinese});
    EXPECT_TRUE(copied.starts_with("1\t450.01250\t455.01250\t67.0\tD047N\t是\t否\tGate\n"))
        << copied;
    const PlanImport pasted =
        PasteChannels(copied + "squelch level\t5\n", 7, start_, {model_, Language::English});
    EXPECT_EQ(pasted.rejected, (std::vector<RejectedRow>{{5, "only channels can be pasted"}}));
    ASSERT_EQ(pasted.channelChanges.size(), 3u);
    EXPECT_EQ(pasted.channelChanges[1].channel, 8);
    EXPECT_EQ(pasted.channelChanges[1].after,
              (ChannelRowTexts{{"450.01300", "450.01300", "71.9", "71.9", "No", "No"},
                               "Yard; north\nside"}));
}

TEST_F(PlanImportTest, BytesThatAreNoTextAreRefusedWhole) {
    const auto result =
        ImportPlanCsv("1,450\n2,信道\xFF\x80\n", start_, {model_, Language::English});
    ASSERT_TRUE(std::holds_alternative<UnreadablePlan>(result));
    EXPECT_EQ(std::get<UnreadablePlan>(result).reason,
              "the file is neither UTF-8 nor GB18030 text (line 2, column 5)");
}

} // namespace
} // namespace hx
