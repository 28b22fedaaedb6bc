#include "core/exchange/CsvSyntax.h"
#include "core/exchange/PlanCells.h"
#include "core/exchange/TextEncoding.h"

#include <gtest/gtest.h>

namespace hx {
namespace {

using Fields = std::vector<std::string>;

Fields FieldsOf(const CsvTable& table, std::size_t record) {
    return record < table.records.size() ? table.records[record].fields : Fields{"(none)"};
}

// Quotes hide separators, quotes and line breaks; every record knows the line it
// starts on, however many lines a quoted field or a CRLF, LF or CR took.
TEST(CsvSyntax, QuotedFieldsAndLineEnds) {
    const CsvTable table = ReadCsv("a,\"b,\"\"c\"\"\r\nd\",e\r\n\r\nf\rg,\"\"\nh");
    ASSERT_EQ(table.records.size(), 5u);
    EXPECT_EQ(FieldsOf(table, 0), (Fields{"a", "b,\"c\"\nd", "e"}));
    EXPECT_EQ(table.records[1].line, 3) << "a blank line is a record of its own";
    EXPECT_EQ(FieldsOf(table, 1), (Fields{""}));
    EXPECT_EQ(table.records[2].line, 4);
    EXPECT_EQ(FieldsOf(table, 3), (Fields{"g", ""}));
    EXPECT_EQ(table.records[4].line, 6);
    EXPECT_EQ(FieldsOf(table, 4), (Fields{"h"})) << "the last line needs no line end";
}

// The heading decides: decimal commas in the rows below, or commas in a comment,
// must not outvote the semicolons of a German file.
TEST(CsvSyntax, SeparatorComesFromTheFirstLineOrExcelsHint) {
    EXPECT_EQ(ReadCsv("channel;receive frequency\n1;450,0125;a,b,c,d,e\n").separator,
              Separator::Semicolon);
    EXPECT_EQ(ReadCsv("\n1\t450,0125\t455,0125\n").separator, Separator::Tab);
    EXPECT_EQ(ReadCsv("\"a;b;c\",d\n").separator, Separator::Comma);
    EXPECT_EQ(ReadCsv("1;2,3\n").separator, Separator::Semicolon) << "a tie";
    const CsvTable hinted = ReadCsv("sep=;\r\n1;450,0125\r\n");
    EXPECT_EQ(hinted.separator, Separator::Semicolon);
    ASSERT_EQ(hinted.records.size(), 1u);
    EXPECT_EQ(hinted.records[0].line, 2);
    EXPECT_EQ(FieldsOf(hinted, 0), (Fields{"1", "450,0125"}));
}

TEST(CsvSyntax, WrittenLinesReadBackToTheSameFields) {
    const Fields fields{"plain", "se;mi", "com,ma", "tab\there", "say \"hi\"", "two\nlines", ""};
    for (const Separator separator : {Separator::Comma, Separator::Semicolon, Separator::Tab}) {
        const std::string line = CsvLine(fields, separator, "\r\n");
        const CsvTable table = ReadCsv(line);
        EXPECT_EQ(table.separator, separator) << line;
        EXPECT_EQ(FieldsOf(table, 0), fields) << line;
    }
    EXPECT_EQ(CsvLine({"450,01250", "67,0"}, Separator::Semicolon, "\n"), "450,01250;67,0\n")
        << "decimal commas stay unquoted where the comma separates nothing";
}

using Read = std::variant<std::string, TextPosition>;

TEST(TextEncoding, Utf8WithOrWithoutMarkElseGb18030) {
    EXPECT_EQ(SpreadsheetTextAsUtf8("\xEF\xBB\xBF信道,1"), Read("信道,1"));
    EXPECT_EQ(SpreadsheetTextAsUtf8("信道 \xF0\x9F\x93\xBB"), Read("信道 \xF0\x9F\x93\xBB"));
    EXPECT_EQ(SpreadsheetTextAsUtf8("\xD0\xC5\xB5\xC0,\xCE\xDE"), Read("信道,无")) << "GB18030";
    for (const char* notUtf8 : {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE4\xBF"})
        EXPECT_FALSE(IsValidUtf8(notUtf8)) << notUtf8;
}

// The first byte neither encoding reads, by line and character, as far as the
// likelier encoding got: a UTF-8 file with one bad byte, a GB18030 file with one,
// and one cut off inside a character.
TEST(TextEncoding, TheFirstUnreadableByteIsPlaced) {
    EXPECT_EQ(SpreadsheetTextAsUtf8("a\r\nb\rc,信道\xFF"), Read(TextPosition{3, 5}));
    EXPECT_EQ(SpreadsheetTextAsUtf8("\xD0\xC5\xB5\xC0\n\xCE\xDE,\xFF"), Read(TextPosition{2, 3}));
    EXPECT_EQ(SpreadsheetTextAsUtf8("\xD0"), Read(TextPosition{1, 1}));
}

// Excel's "Unicode text": UTF-16 after a byte order mark in either order, characters
// beyond the first 65536 in surrogate pairs; a lone surrogate is no text.
TEST(TextEncoding, Utf16EitherOrder) {
    const std::string little("\xFF\xFE\x61\x00\x09\x00\xE1\x4F\x53\x90\x3D\xD8\xFB\xDC", 14);
    EXPECT_EQ(SpreadsheetTextAsUtf8(little), Read("a\t信道\xF0\x9F\x93\xBB"));
    const std::string big("\xFE\xFF\x00\x61\x00\x0A\x4F\xE1\x90\x53", 10);
    EXPECT_EQ(SpreadsheetTextAsUtf8(big), Read("a\n信道"));
    const std::string lone("\xFF\xFE\x61\x00\x0A\x00\x62\x00\x3D\xD8\x61\x00", 12);
    EXPECT_EQ(SpreadsheetTextAsUtf8(lone), Read(TextPosition{2, 2}));
}

// Frequencies as spreadsheets hold them: the size tells MHz from kHz and Hz; numbers
// that fit none stay MHz, for the band check to refuse.
TEST(PlanCells, FrequencyUnitsAndDecimalMarks) {
    EXPECT_EQ(FrequencyCellAsMhz(" 450,0125 "), "450.0125");
    EXPECT_EQ(FrequencyCellAsMhz("450012.5"), "450.012500");
    EXPECT_EQ(FrequencyCellAsMhz("450012500"), "450.012500");
    EXPECT_EQ(FrequencyCellAsMhz("450.0125 MHz"), "450.0125");
    EXPECT_EQ(FrequencyCellAsMhz("450012,5kHz"), "450.012500");
    EXPECT_EQ(FrequencyCellAsMhz("45001.25"), "45001.25");
    EXPECT_EQ(FrequencyCellAsMhz("450.012.5"), std::nullopt);
    EXPECT_EQ(FrequencyCellAsMhz("MHz"), std::nullopt);
}

TEST(PlanCells, HeadingsInEitherLanguageAndTheWindowsWords) {
    EXPECT_EQ(ColumnOfHeading("Receive Frequency (MHz)"), PlanColumn::Receive);
    EXPECT_EQ(ColumnOfHeading("RX Freq."), PlanColumn::Receive);
    EXPECT_EQ(ColumnOfHeading("Channel No:"), PlanColumn::Channel);
    EXPECT_EQ(ColumnOfHeading("发射频率（MHz）"), PlanColumn::Transmit);
    EXPECT_EQ(ColumnOfHeading("遇忙禁发:"), PlanColumn::Lockout);
    EXPECT_EQ(ColumnOfHeading("备注"), PlanColumn::Comment);
    EXPECT_EQ(ColumnOfHeading("450.0125"), std::nullopt);
    EXPECT_EQ(SettingOfName("Squelch Level:"), FunctionSetting::SquelchLevel);
    EXPECT_EQ(SettingOfName("发射定时[秒]:"), FunctionSetting::TimeOutTimer);
    EXPECT_TRUE(NamesSubModel(" Sub-Model "));
}

} // namespace
} // namespace hx
