#include "core/exchange/CsvSyntax.h"

#include <array>
#include <optional>

namespace hx {
namespace {

constexpr std::array kSeparators = {Separator::Tab, Separator::Semicolon, Separator::Comma};

// Excel's hint line, "sep=;", which it writes and reads but never shows.
std::optional<Separator> SeparatorHint(std::string_view text) {
    if (!text.starts_with("sep=") || text.size() < 5)
        return std::nullopt;
    const std::string_view rest = text.substr(5);
    if (!rest.empty() && rest.front() != '\r' && rest.front() != '\n')
        return std::nullopt;
    for (const Separator s : kSeparators)
        if (text[4] == SeparatorChar(s))
            return s;
    return std::nullopt;
}

// Judged on the first line that holds anything, the heading in most files, where no
// number's decimal comma and no comment can outnumber the separators. Ties go to the
// rarer separator: a tab is never written by chance, a comma may be a decimal mark.
Separator MostFrequentSeparator(std::string_view text) {
    std::array<int, kSeparators.size()> counts{};
    bool quoted = false;
    bool content = false;
    for (const char c : text) {
        if (c == '"')
            quoted = !quoted;
        if (!quoted && (c == '\n' || c == '\r') && content)
            break;
        content = content || (c != '\n' && c != '\r' && c != ' ');
        for (std::size_t s = 0; s < kSeparators.size(); ++s)
            if (!quoted && c == SeparatorChar(kSeparators[s]))
                ++counts[s];
    }
    std::size_t best = kSeparators.size() - 1; // a text of one column reads alike with any
    for (std::size_t s = best; s-- > 0;)
        if (counts[s] > 0 && counts[s] >= counts[best])
            best = s;
    return kSeparators[best];
}

} // namespace

char SeparatorChar(Separator separator) {
    switch (separator) {
    case Separator::Semicolon:
        return ';';
    case Separator::Tab:
        return '\t';
    case Separator::Comma:
        break;
    }
    return ',';
}

char DecimalMarkFor(Separator separator) {
    return separator == Separator::Semicolon ? ',' : '.';
}

CsvTable ReadCsv(std::string_view text) {
    CsvTable table;
    int line = 1;
    if (const auto hint = SeparatorHint(text)) {
        table.separator = *hint;
        const auto end = text.find_first_of("\r\n");
        text.remove_prefix(end == std::string_view::npos ? text.size() : end);
        if (text.starts_with("\r\n"))
            text.remove_prefix(2);
        else if (!text.empty())
            text.remove_prefix(1);
        ++line;
    } else {
        table.separator = MostFrequentSeparator(text);
    }
    const char separator = SeparatorChar(table.separator);

    CsvRecord record{line, {std::string()}};
    bool quoted = false;
    int quoteLine = 0;
    bool atFieldStart = true;
    const auto endRecord = [&] {
        table.records.push_back(std::move(record));
        record = CsvRecord{line, {std::string()}};
        atFieldStart = true;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        std::string& field = record.fields.back();
        const bool lineBreak = c == '\n' || c == '\r';
        if (lineBreak && c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i; // CRLF is one line end
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (lineBreak)
                    ++line;
                field += lineBreak ? '\n' : c;
            }
            continue;
        }
        if (c == '"' && atFieldStart) {
            quoted = true;
            quoteLine = line;
            atFieldStart = false;
        } else if (c == separator) {
            record.fields.emplace_back();
            atFieldStart = true;
        } else if (lineBreak) {
            ++line;
            endRecord();
        } else {
            field += c;
            atFieldStart = false;
        }
    }
    // A last line without its line end still counts; a final line end starts nothing.
    if (record.fields.size() > 1 || !record.fields.front().empty() || quoted)
        table.records.push_back(std::move(record));
    if (quoted)
        table.unclosedQuoteLine = quoteLine;
    return table;
}

std::string CsvLine(const std::vector<std::string>& fields, Separator separator,
                    std::string_view lineEnd) {
    const char mark = SeparatorChar(separator);
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += mark;
        const std::string& field = fields[i];
        if (field.find_first_of(std::string{mark, '"', '\r', '\n'}) == std::string::npos) {
            line += field;
            continue;
        }
        line += '"';
        for (const char c : field) {
            if (c == '"')
                line += '"';
            line += c;
        }
        line += '"';
    }
    line += lineEnd;
    return line;
}

} // namespace hx
