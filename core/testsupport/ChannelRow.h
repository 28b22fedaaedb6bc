#pragma once

#include "core/codeplug/CodePlug.h"

#include <iterator>

namespace hx {

// The six fields a dealer edits of one channel, in the table's column order, so that a
// test states a channel on one line.
struct ChannelRow {
    double rx, tx, rxTone, txTone, busyLockout, shift;
};

inline void SetChannel(ChannelTable& table, int channel, const ChannelRow& row) {
    const double values[] = {row.rx, row.tx, row.rxTone, row.txTone, row.busyLockout, row.shift};
    for (std::size_t f = 0; f < std::size(values); ++f)
        table.setValue(channel, static_cast<Field>(f), values[f]);
}

} // namespace hx
