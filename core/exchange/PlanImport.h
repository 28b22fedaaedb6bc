#pragma once

#include "core/exchange/ChannelPlan.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace hx {

// A channel an import or paste would change; `line` is where the row that changes it
// starts (for a channel a new sub-model empties, the sub-model's row). A note says
// what is unusual about a field's new value ("off the 12.5 kHz raster").
struct ChannelChange {
    int line = 0;
    int channel = 0; // 0-15
    ChannelRowTexts before;
    ChannelRowTexts after;
    std::array<std::string, kRowFieldCount> notes;
};

// The sub-model or a function setting an import would change, by name and shown value.
struct SettingChange {
    int line = 0;
    std::string name; // "sub-model", "squelch level"
    std::string before;
    std::string after;
};

// A row left out, with the line it starts on and why, in the context's language.
struct RejectedRow {
    int line = 0;
    std::string reason;
    bool operator==(const RejectedRow&) const = default;
};

// A value kept as the file gives it that the user should know about: the line of its
// row and what is said, naming the cell, in the context's language.
struct RowWarning {
    int line = 0;
    std::string text;
    bool operator==(const RowWarning&) const = default;
};

// What an import or a paste would do, for the user to look at before it is applied:
// `plan` is the whole plan with every accepted row applied, the changes list each
// channel and setting that differs from the current plan, by channel and in the order
// the window shows the settings, and the rejected rows come in line order. Applying
// is taking `plan` in place of the current one; nothing else changes before that.
// `usedRows` counts the rows taken, the ones that change nothing among them.
struct PlanImport {
    ChannelPlan plan;
    std::vector<SettingChange> settingChanges;
    std::vector<ChannelChange> channelChanges;
    std::vector<RejectedRow> rejected;
    std::vector<RowWarning> warnings;
    std::vector<std::string> notes; // about the whole file: "not stored by this radio: Name"
    int usedRows = 0;

    bool changesAnything() const { return !settingChanges.empty() || !channelChanges.empty(); }
};

// A plan of 16 channels takes a few kilobytes; anything much larger is no plan, and
// reading it whole would only tie up the memory.
inline constexpr std::size_t kLargestPlanText = 1 << 20;

// A file that is no text at all, or far too large to be a plan.
struct UnreadablePlan {
    std::string reason;
};

// Reads a plan file as spreadsheets write it (see ReadCsv and SpreadsheetTextAsUtf8):
// a heading row in either language or none (then the columns are those an export
// writes), the settings block, blank lines anywhere. Rows are channels in order: a
// channel row with an empty channel number is the channel after the previous row's,
// and where the rows carry no channel numbers, a row of empty cells is an unused
// channel (only a line without any separator is blank). A sub-model other than the
// current one starts from its defaults and an empty table, as choosing it does in the
// window. Every channel row goes through CheckChannelRow against the band of the
// sub-model the plan ends up with. A quote that never closes refuses the file.
std::variant<PlanImport, UnreadablePlan>
ImportPlanCsv(std::string_view fileBytes, const ChannelPlan& current, const PlanContext& context);

// Rows of pasted text (copied here or from a spreadsheet, with or without heading)
// into channel `firstChannel` (0-15) and onward, whatever channel numbers they carry,
// through the same checks. Settings rows are refused; text beyond kLargestPlanText is
// not read; a quote that never closes refuses every row.
PlanImport PasteChannels(std::string_view text, int firstChannel, const ChannelPlan& current,
                         const PlanContext& context);

// "line 7: receive frequency '480': Out of range!The valid range is 400-470MHz"
std::string DescribeRejection(const RejectedRow& row, Language language);
// "line 2: receive frequency '446.00625': off the 12.5 kHz raster"
std::string DescribeWarning(const RowWarning& warning, Language language);

} // namespace hx
