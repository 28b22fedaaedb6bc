#pragma once

#include "core/exchange/ChannelPlan.h"
#include "core/exchange/ChannelRowCheck.h"
#include "core/exchange/CsvSyntax.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace hx {

// CHIRP's generic CSV, the file dealers pass channel plans in between programming
// tools of many makes: one row per memory location, frequencies in MHz, the tones as
// a mode with its tone and code columns. Older files lack the last columns, or
// RxDtcsCode and CrossMode.
enum class ChirpColumn {
    Location,
    Name,
    Frequency,
    Duplex,
    Offset,
    Tone,
    RToneFreq,
    CToneFreq,
    DtcsCode,
    DtcsPolarity,
    RxDtcsCode,
    CrossMode,
    Mode,
    TStep,
    Skip,
    Power,
    Comment,
    Urcall,
    Rpt1Call,
    Rpt2Call,
    DvCode,
};
inline constexpr int kChirpColumnCount = 21;

std::string_view ChirpHeading(ChirpColumn column);

// Which field of a record holds which of CHIRP's columns.
class ChirpLayout {
public:
    // A heading row naming at least Location, Frequency, Duplex, Offset and Tone.
    static std::optional<ChirpLayout> FromHeading(const CsvRecord& record);
    std::optional<std::string> cell(const CsvRecord& record, ChirpColumn column) const;

private:
    std::array<std::optional<std::size_t>, kChirpColumnCount> index_{};
};

// One of CHIRP's rows as this radio's channel.
struct ChirpChannel {
    int location = 0;
    RowCells cells; // receive frequency to encode tone; lockout and shift as they are
    std::array<std::string, kRowFieldCount> columnNames; // where a cell came from
    std::string comment;
    std::optional<int> wideNarrow; // from Mode: 0 wide (FM), 1 narrow (NFM)
};

// Reads one row; a row this radio cannot hold gives the reason, naming CHIRP's column.
// The encode tone of a receive-only channel is dropped: CHIRP keeps tones on a
// channel whatever its duplex.
std::variant<ChirpChannel, std::string> ReadChirpRow(const CsvRecord& record,
                                                     const ChirpLayout& layout,
                                                     const ToneTable& tones, Language language);

// The columns a file fills that this radio has no room for, by heading, in alphabetical
// order: Name, Power, TStep and the like.
std::vector<std::string> ChirpColumnsNotStored(const ChirpLayout& layout,
                                               const std::vector<const CsvRecord*>& rows);

// The plan in CHIRP's layout: every column, one row per channel in use, Location the
// channel number. Busy channel lockout, shift and the function settings have no column
// there.
std::string ExportChirpCsv(const ChannelPlan& plan, const PlanContext& context);

} // namespace hx
