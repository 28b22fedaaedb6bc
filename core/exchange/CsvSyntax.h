#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hx {

// The separators spreadsheets write: a comma, a semicolon where the comma is the
// decimal mark (German, French ...), a tab on the clipboard and in "text" exports.
enum class Separator { Comma, Semicolon, Tab };

char SeparatorChar(Separator separator);
// A semicolon file is one from a decimal-comma locale, so its numbers use the comma.
char DecimalMarkFor(Separator separator);

// One record of a CSV text: its fields unquoted, and the line it starts on (from 1),
// which a quoted line break can leave behind the next record's.
struct CsvRecord {
    int line = 0;
    std::vector<std::string> fields;
};

struct CsvTable {
    Separator separator = Separator::Comma;
    std::vector<CsvRecord> records;
    // The line of a quote that the text never closes: everything after it would be
    // one field, so the text cannot be trusted past that line.
    std::optional<int> unclosedQuoteLine;
};

// Splits a UTF-8 text into records. The separator is the one Excel's "sep=" first
// line names, otherwise the one of the three that occurs most often outside quotes
// on the first line that holds anything.
// Quoted fields may hold separators, doubled quotes and line breaks; CRLF, LF and CR
// all end a line. A blank line gives a record of one empty field.
CsvTable ReadCsv(std::string_view text);

// One record as a line: a field that holds the separator, a quote or a line break is
// quoted, its quotes doubled.
std::string CsvLine(const std::vector<std::string>& fields, Separator separator,
                    std::string_view lineEnd);

} // namespace hx
