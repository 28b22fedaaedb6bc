#include "core/exchange/ChirpCsv.h"
#include "core/exchange/PlanImport.h"
#include "core/exchange/tests/ImportFixtures.h"

#include <gtest/gtest.h>

namespace hx {

namespace {

using Cells = std::array<std::string, kRowFieldCount>;

// Files that other programs write, imported into an HX7200 just started: sub-model
// HX7200-U (400-470 MHz) unless a test picks another.
class OtherProgramsTest : public testing::Test {
protected:
    PlanImport import(const std::string& bytes, int subModel = 1) const {
        ChannelPlan start = start_;
        start.state.subModel = subModel;
        const auto result = ImportPlanCsv(bytes, start, {model_, Language::English});
        if (const auto* unreadable = std::get_if<UnreadablePlan>(&result))
            ADD_FAILURE() << unreadable->reason;
        return std::get<PlanImport>(result);
    }
    Cells cells(const PlanImport& result, int channel) const {
        return RowTextsOf(result.plan, channel - 1, model_.tones, Language::English).cells;
    }

    const ModelData model_ = LoadModelData(kShippedSettings, 7200);
    const ChannelPlan start_{StartState(model_.profile), {}};
};

// Locations from 0, CRLF, every column CHIRP writes: each duplex and each tone mode
// lands in the channel its place says, what the radio cannot hold is named once.
TEST_F(OtherProgramsTest, ChirpFileCountedFromZero) {
    const PlanImport result = import(Fixture("chirp-uhf-from-0.csv"));
    EXPECT_EQ(result.rejected,
              (std::vector<RejectedRow>{{9, "Location '16': not a channel from 1 to 16"}}));
    EXPECT_EQ(result.notes,
              (std::vector<std::string>{"locations start at 0: location 0 is channel 1",
                                        "not stored by this radio: Name, Power, Skip, TStep"}));
    EXPECT_EQ(cells(result, 1), (Cells{"446.00625", "446.00625", "None", "None", "No", "No"}));
    EXPECT_EQ(cells(result, 2), (Cells{"442.10000", "447.10000", "None", "100.0", "No", "No"}));
    EXPECT_EQ(cells(result, 3), (Cells{"447.50000", "442.50000", "123.0", "123.0", "No", "No"}));
    EXPECT_EQ(cells(result, 4), (Cells{"450.01250", "460.01250", "D023I", "D023N", "No", "No"}));
    EXPECT_EQ(cells(result, 5), (Cells{"462.55000", "", "None", "", "No", "No"}));
    EXPECT_EQ(cells(result, 6), (Cells{"451.00000", "451.00000", "D754N", "67.0", "No", "No"}));
    EXPECT_EQ(cells(result, 16), (Cells{"469.98750", "469.98750", "None", "None", "No", "No"}));
    EXPECT_FALSE(result.plan.state.channels.inUse(6));
    EXPECT_EQ(result.plan.comments[1], "north");
    EXPECT_EQ(result.warnings,
              (std::vector<RowWarning>{{2, "Frequency '446.00625': off the 12.5 kHz raster"},
                                       {2, "Frequency '446.00625': off the 12.5 kHz raster"}}));
    EXPECT_EQ(result.plan.state.functions[FunctionSetting::WideNarrow], 1);
}

// An older file, counted from 1, without RxDtcsCode and CrossMode: rows that cannot
// be read name CHIRP's column; modes that differ leave wide/narrow as it was.
TEST_F(OtherProgramsTest, OlderChirpFileNamesTheColumnOfABadRow) {
    const PlanImport result = import(Fixture("chirp-vhf-old-columns.csv"), 0);
    EXPECT_EQ(result.rejected,
              (std::vector<RejectedRow>{{5, "Duplex 'x': not +, -, split or off"},
                                        {6, "rToneFreq '60.0': not in the list"}}));
    EXPECT_EQ(result.notes, (std::vector<std::string>{"not stored by this radio: Mode, TStep"}));
    EXPECT_EQ(cells(result, 1), (Cells{"145.50000", "145.50000", "None", "None", "No", "No"}));
    EXPECT_EQ(cells(result, 2), (Cells{"146.94000", "146.34000", "None", "88.5", "No", "No"}));
    EXPECT_EQ(cells(result, 3), (Cells{"147.00000", "147.60000", "D754N", "D754I", "No", "No"}));
    EXPECT_EQ(result.plan.state.functions, start_.state.functions);
}

// Each side of a cross mode as its word says, from the tone or the code column of its
// side; all in FM sets the one wide/narrow setting to wide.
TEST_F(OtherProgramsTest, EveryCrossMode) {
    const PlanImport result =
        import("Location,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
               "DtcsPolarity,RxDtcsCode,CrossMode,Mode\n"
               "1,450,,0,Cross,67.0,88.5,023,NR,754,Tone->Tone,FM\n"
               "2,450,,0,Cross,67.0,88.5,023,NR,754,Tone->DTCS,FM\n"
               "3,450,,0,Cross,67.0,88.5,023,NR,754,DTCS->Tone,FM\n"
               "4,450,,0,Cross,67.0,88.5,023,NR,754,DTCS->DTCS,FM\n"
               "5,450,,0,Cross,67.0,88.5,023,NR,754,->Tone,FM\n"
               "6,450,,0,Cross,67.0,88.5,023,NR,754,->DTCS,FM\n"
               "7,450,,0,Cross,67.0,88.5,023,NR,754,Tone->,FM\n"
               "8,450,,0,Cross,67.0,88.5,023,NR,754,DTCS->,FM\n"
               "9,450,,0,Cross,67.0,88.5,023,NR,754,Tone->AM,FM\n"
               "10,450,,0,TSQL-R,67.0,88.5,023,NR,754,,FM\n"
               "11,450,,0,,67.0,88.5,023,NR,754,,AM\n");
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"88.5", "67.0"}, {"D754I", "67.0"}, {"88.5", "D023N"}, {"D754I", "D023N"},
        {"88.5", "None"}, {"D754I", "None"}, {"None", "67.0"},  {"None", "D023N"}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Cells row = cells(result, static_cast<int>(i) + 1);
        EXPECT_EQ(std::pair(row[2], row[3]), expected[i]) << "channel " << i + 1;
    }
    EXPECT_EQ(result.rejected,
              (std::vector<RejectedRow>{{10, "CrossMode 'Tone->AM': not in the list"},
                                        {11, "Tone 'TSQL-R': not in the list"},
                                        {12, "Mode 'AM': not in the list"}}));
    EXPECT_EQ(result.plan.state.functions[FunctionSetting::WideNarrow], 0);
}

// Excel's "Unicode text" in either byte order reads as the same plan; a heading of
// no known layout is refused whole, naming what is understood and what was seen.
TEST_F(OtherProgramsTest, UnicodeTextAndUnknownLayouts) {
    for (const char* name : {"unicode-text-utf16le.txt", "unicode-text-utf16be.txt"}) {
        const PlanImport result = import(Fixture(name));
        EXPECT_TRUE(result.rejected.empty()) << name;
        EXPECT_EQ(cells(result, 1)[1], "455.01250") << name;
        EXPECT_EQ(cells(result, 2)[0], "446.00625") << name;
        EXPECT_EQ(result.plan.comments[0], "东门") << name;
    }
    const auto unknown = ImportPlanCsv("Slot,RX MHz,TX MHz,CTCSS\n1,450,455,67\n", start_,
                                       {model_, Language::English});
    ASSERT_TRUE(std::holds_alternative<UnreadablePlan>(unknown));
    const std::string& reason = std::get<UnreadablePlan>(unknown).reason;
    EXPECT_TRUE(reason.starts_with("the heading matches no layout this program reads")) << reason;
    EXPECT_TRUE(reason.ends_with("CHIRP's CSV (Location, Frequency, Duplex, Offset, Tone, ...); "
                                 "columns seen: Slot, RX MHz, TX MHz, CTCSS"))
        << reason;
}

} // namespace
} // namespace hx
