#pragma once

#include "core/codeplug/FrequencyCheck.h"
#include "core/exchange/PlanCells.h"
#include "core/model/ToneTable.h"

#include <array>
#include <optional>
#include <string>
#include <variant>

namespace hx {

// What a typed or imported channel is checked against: the selected sub-model's band,
// the window's band check and its choice between marking an out-of-band frequency
// and refusing it, as in the channel editor.
struct RowRules {
    BandContext band;
    bool bandCheckOn = true;
    bool outOfBandMarking = true;
    const ToneTable& tones;
    Language language; // of the reasons
    // What the reasons call each cell, where the file names it otherwise than the
    // channel table does; empty for the table's own name.
    std::array<std::string, kRowFieldCount> cellNames{};
};

// What the reasons call a field's cell under these rules.
std::string CellName(const RowRules& rules, Field field);

// A row's cells from receive frequency to shift; nothing where the row has no column.
using RowCells = std::array<std::optional<std::string>, kRowFieldCount>;
// A channel's stored values from receive frequency to shift, EmptyValue when not set.
using ChannelValues = std::array<double, kRowFieldCount>;

ChannelValues ValuesOf(const ChannelTable& table, int channel);
void StoreValues(ChannelTable& table, int channel, const ChannelValues& values);

// A channel as a row gives it, with a note for each field whose value the editor
// would have marked or changed (out of band, off the raster); empty where all is well.
struct CheckedRow {
    ChannelValues values;
    std::array<std::string, kRowFieldCount> notes;
};

// The channel a row makes of `current`. A row is a file of exact values: every
// frequency the memory image holds (10 Hz steps from 100 to below 999 MHz) is kept as
// given, off the raster too, with a note. Out of band it follows the editor: refused
// with the editor's message, or kept with that message as the note where the editor
// keeps it marked. An empty receive frequency clears the channel and an empty
// transmit frequency makes it receive-only. A cell the row lacks keeps the current
// value; an empty cell means no tone, No, or no frequency. A row that fails gives the
// reason instead, naming the cell.
std::variant<CheckedRow, std::string>
CheckChannelRow(const RowCells& cells, const ChannelValues& current, const RowRules& rules);

} // namespace hx
