#pragma once

#include "core/exchange/ChannelPlan.h"
#include "core/exchange/CsvSyntax.h"

#include <string>
#include <vector>

namespace hx {

struct CsvStyle {
    Separator separator = Separator::Comma; // a semicolon file writes decimal commas
    bool byteOrderMark = true;              // for Excel, which reads UTF-8 only after one
};

// The plan as a spreadsheet file in the context's language: a heading row, one row
// per channel (an unused channel by its number alone), a comment column only when a
// channel has a comment; then, after a blank line, the sub-model and the function
// settings as name and value rows. Lines end in CRLF, as Excel writes them.
std::string ExportPlanCsv(const ChannelPlan& plan, const PlanContext& context, CsvStyle style = {});

// What the window puts on the clipboard for the channels `channels` (0-15): their rows
// as ExportPlanCsv writes them, tab-separated with decimal points, without heading,
// so a spreadsheet takes them as cells and PasteChannels takes them back.
std::string ChannelsAsText(const ChannelPlan& plan, const std::vector<int>& channels,
                           const PlanContext& context);

} // namespace hx
