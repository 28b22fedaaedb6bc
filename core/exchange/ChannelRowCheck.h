#pragma once

#include "core/codeplug/FrequencyCheck.h"
#include "core/exchange/PlanCells.h"
#include "core/image/ToneTable.h"

#include <array>
#include <optional>
#include <string>
#include <variant>

namespace hx {

// What a typed or imported channel is checked against: the selected sub-model's band
// and the window's band check, as in the channel editor.
struct RowRules {
    BandContext band;
    bool bandCheckOn = true;
    const ToneTable& tones;
    Language language; // of the reasons
};

// A row's cells from receive frequency to shift; nothing where the row has no column.
using RowCells = std::array<std::optional<std::string>, kRowFieldCount>;
// A channel's stored values from receive frequency to shift, EmptyValue when not set.
using ChannelValues = std::array<double, kRowFieldCount>;

ChannelValues ValuesOf(const ChannelTable& table, int channel);
void StoreValues(ChannelTable& table, int channel, const ChannelValues& values);

// The channel a row makes of `current`, through the editor's checks: the band check
// with its message, snapping onto the band's raster, an empty receive frequency
// clearing the channel and an empty transmit frequency making it receive-only.
// A cell the row lacks keeps the current value; an empty cell means no tone, No, or
// no frequency. A row that fails gives the reason instead, naming the cell.
std::variant<ChannelValues, std::string>
CheckChannelRow(const RowCells& cells, const ChannelValues& current, const RowRules& rules);

} // namespace hx
