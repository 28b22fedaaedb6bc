#pragma once

#include "core/codeplug/CodePlug.h"
#include "core/model/ToneTable.h"
#include "core/texts/Language.h"

#include <optional>
#include <string>
#include <string_view>

namespace hx {

// The columns of a channel row, in the order a plan file lists them.
enum class PlanColumn { Channel, Receive, Transmit, Decode, Encode, Lockout, Shift, Comment };
inline constexpr int kPlanColumnCount = 8;

// The channel fields a row holds, receive frequency to shift: field f is column f + 1.
inline constexpr int kRowFieldCount = 6;
constexpr PlanColumn ColumnOfField(Field field) {
    return static_cast<PlanColumn>(static_cast<int>(field) + 1);
}

// The heading a plan file gives a column.
std::string ColumnHeading(PlanColumn column, Language language);
// The column a heading names, in either language, as a plan file or the window's
// channel table and editor word it; case, a trailing colon and a unit in brackets
// do not matter.
std::optional<PlanColumn> ColumnOfHeading(std::string_view heading);

// The name a plan file gives the sub-model row of its settings block.
std::string SubModelRowName(Language language);
// Whether a name is that of the sub-model row, in either language.
bool NamesSubModel(std::string_view name);
// The function setting a name is that of, in either language.
std::optional<FunctionSetting> SettingOfName(std::string_view name);

// What a cell shows for a field of a channel, as the channel table does: frequencies
// with five decimals, tones as listed, Yes or No; empty for a field that is not set.
std::string FieldCell(Field field, double value, const ToneTable& tones, Language language,
                      char decimalMark);

// A frequency as spreadsheets hold it, as the text of a number in MHz: MHz, or kHz
// and Hz where the size says so (450012.5 is kHz) or a unit does ("450012.5 kHz");
// a decimal point or comma. Nothing when the cell holds no number.
std::optional<std::string> FrequencyCellAsMhz(std::string_view cell);
// The tone list position a cell names, in either language: the no-tone word, a QT
// tone in hertz with or without its unit ("67.0", "67", "67 Hz") or a DQT name.
std::optional<int> ToneCellPosition(std::string_view cell, const ToneTable& tones);
// Yes (1) or No (0), in either language, or as 1/0 and TRUE/FALSE.
std::optional<int> SwitchCellValue(std::string_view cell);

// Without the blanks around it.
std::string_view Trimmed(std::string_view text);
// A cell as a message quotes it: trimmed, on one line, at most 40 characters and "…"
// where it goes on, so that a huge or many-lined cell cannot flood the message.
std::string QuotedCell(std::string_view cell);
// Whether a cell says `name`: case, blanks around it, a trailing colon and a unit in
// brackets ("Rx Frequency (MHz):") do not matter. An empty name is said by nothing.
bool SaysName(std::string_view cell, std::string_view name);

} // namespace hx
