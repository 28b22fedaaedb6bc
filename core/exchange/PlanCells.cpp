#include "core/exchange/PlanCells.h"

#include "core/codeplug/Frequency.h"
#include "core/texts/FunctionChoices.h"
#include "core/texts/Texts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <utility>

namespace hx {
namespace {

constexpr std::array kLanguages = {Language::Chinese, Language::English};

// The window's own words for a column: its channel table heading and editor label.
constexpr std::array<std::pair<PlanColumn, const char*>, 13> kWindowWords = {{
    {PlanColumn::Channel, "channelLabel"},
    {PlanColumn::Receive, "receiveFrequencyHeading"},
    {PlanColumn::Receive, "receiveFrequencyLabel"},
    {PlanColumn::Transmit, "transmitFrequencyHeading"},
    {PlanColumn::Transmit, "transmitFrequencyLabel"},
    {PlanColumn::Decode, "decodeToneHeading"},
    {PlanColumn::Decode, "decodeToneLabel"},
    {PlanColumn::Encode, "encodeToneHeading"},
    {PlanColumn::Encode, "encodeToneLabel"},
    {PlanColumn::Lockout, "busyLockoutHeading"},
    {PlanColumn::Lockout, "busyLockoutLabel"},
    {PlanColumn::Shift, "shiftHeading"},
    {PlanColumn::Shift, "shiftLabel"},
}};

constexpr std::array<std::pair<FunctionSetting, const char*>, kFunctionSettingCount>
    kSettingLabels = {{
        {FunctionSetting::MonitorKey, "monitorKeyLabel"},
        {FunctionSetting::TimeOutTimer, "timeOutTimerLabel"},
        {FunctionSetting::SquelchLevel, "squelchLevelLabel"},
        {FunctionSetting::BatterySave, "batterySaveLabel"},
        {FunctionSetting::BeepTone, "beepToneLabel"},
        {FunctionSetting::WideNarrow, "wideNarrowLabel"},
    }};

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return lower;
}

// A heading or name as it is compared: lower case, without a trailing colon or
// bracketed unit ("Rx Frequency (MHz):").
std::string Comparable(std::string_view text) {
    text = Trimmed(text);
    for (const std::string_view colon : {":", "："})
        if (text.ends_with(colon))
            text = Trimmed(text.substr(0, text.size() - colon.size()));
    for (const auto& [open, close] : {std::pair{"(", ")"}, std::pair{"（", "）"}}) {
        const std::string_view closing = close;
        const auto opening = text.rfind(open);
        if (text.ends_with(closing) && opening != std::string_view::npos && opening > 0)
            text = Trimmed(text.substr(0, opening));
    }
    return AsciiLower(text);
}

bool NamesCaption(std::string_view cell, const char* objectName) {
    const Bilingual* caption = CaptionOf(objectName);
    return caption && (SaysName(cell, caption->chinese) || SaysName(cell, caption->english));
}

std::string WithDecimalMark(std::string text, char decimalMark) {
    std::replace(text.begin(), text.end(), '.', decimalMark);
    return text;
}

// Cuts a unit off the end of a number: "67 Hz", "450012.5kHz".
std::pair<std::string_view, std::string> SplitUnit(std::string_view cell) {
    cell = Trimmed(cell);
    const std::string lower = AsciiLower(cell);
    for (const char* unit : {"mhz", "khz", "hz"})
        if (lower.ends_with(unit)) {
            const std::size_t length = std::string_view(unit).size();
            return {Trimmed(cell.substr(0, cell.size() - length)), unit};
        }
    return {cell, ""};
}

} // namespace

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool SaysName(std::string_view cell, std::string_view name) {
    return !name.empty() && Comparable(cell) == Comparable(name);
}

std::string ColumnHeading(PlanColumn column, Language language) {
    switch (column) {
    case PlanColumn::Channel:
        return std::string(TextOf(Text::PlanChannelColumn).in(language));
    case PlanColumn::Comment:
        return std::string(TextOf(Text::PlanCommentColumn).in(language));
    default:
        return ChannelFieldName(static_cast<Field>(static_cast<int>(column) - 1), language);
    }
}

std::optional<PlanColumn> ColumnOfHeading(std::string_view heading) {
    if (Comparable(heading).empty())
        return std::nullopt;
    for (int c = 0; c < kPlanColumnCount; ++c)
        for (const Language language : kLanguages)
            if (SaysName(heading, ColumnHeading(static_cast<PlanColumn>(c), language)))
                return static_cast<PlanColumn>(c);
    for (const auto& [column, objectName] : kWindowWords)
        if (NamesCaption(heading, objectName))
            return column;
    return std::nullopt;
}

std::string SubModelRowName(Language language) {
    return std::string(TextOf(Text::SubModelName).in(language));
}

bool NamesSubModel(std::string_view name) {
    return SaysName(name, SubModelRowName(Language::Chinese)) ||
           SaysName(name, SubModelRowName(Language::English)) ||
           NamesCaption(name, "subModelLabel");
}

std::optional<FunctionSetting> SettingOfName(std::string_view name) {
    for (const auto& [setting, label] : kSettingLabels) {
        if (NamesCaption(name, label))
            return setting;
        for (const Language language : kLanguages)
            if (SaysName(name, FunctionSettingName(setting, language)))
                return setting;
    }
    return std::nullopt;
}

std::string FieldCell(Field field, double value, const ToneTable& tones, Language language,
                      char decimalMark) {
    if (value == EmptyValue)
        return {};
    switch (field) {
    case Field::RxFrequency:
    case Field::TxFrequency:
        return WithDecimalMark(FormatFrequency(Mhz{value}), decimalMark);
    case Field::RxTone:
    case Field::TxTone: {
        const int position = static_cast<int>(value);
        const std::string text = tones.displayText(position, language);
        return position <= tones.dimensions.ctcssCount ? WithDecimalMark(text, decimalMark)
                                                       : text;
    }
    default:
        return std::string(TextOf(value == 1 ? Text::Yes : Text::No).in(language));
    }
}

std::optional<std::string> FrequencyCellAsMhz(std::string_view cell) {
    const auto [number, unit] = SplitUnit(cell);
    const auto value = ParseFrequencyText(number);
    if (!value)
        return std::nullopt;
    double scale = 1.0;
    if (unit == "khz" || (unit.empty() && *value >= 1e5 && *value < 1e6))
        scale = 1e-3;
    else if (unit == "hz" || (unit.empty() && *value >= 1e8 && *value < 1e9))
        scale = 1e-6;
    if (scale == 1.0) {
        std::string pointed(number);
        std::replace(pointed.begin(), pointed.end(), ',', '.');
        return pointed;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", *value * scale);
    return text;
}

std::optional<int> ToneCellPosition(std::string_view cell, const ToneTable& tones) {
    cell = Trimmed(cell);
    for (const Language language : kLanguages)
        if (SaysName(cell, tones.displayText(0, language)))
            return 0;
    const auto dims = tones.dimensions;
    if (dims.dcsAvailable)
        for (int p = dims.firstDcsPosition; p <= dims.lastPosition && p < kToneTableSize; ++p)
            if (SaysName(cell, tones.names[static_cast<std::size_t>(p)]))
                return p;
    const auto [number, unit] = SplitUnit(cell);
    if (!unit.empty() && unit != "hz")
        return std::nullopt;
    const auto hertz = ParseFrequencyText(number);
    if (!hertz)
        return std::nullopt;
    for (int p = 1; p <= dims.ctcssCount && p < kToneTableSize; ++p) {
        const auto listed = ParseNumber(tones.displayText(p, Language::English));
        // The list shows tenths; a cell may leave them out, not add to them.
        if (listed && std::abs(*hertz * 10 - std::round(*listed * 10)) < 1e-6)
            return p;
    }
    return std::nullopt;
}

std::optional<int> SwitchCellValue(std::string_view cell) {
    const std::string value = AsciiLower(Trimmed(cell));
    for (const Language language : kLanguages) {
        if (SaysName(value, TextOf(Text::Yes).in(language)))
            return 1;
        if (SaysName(value, TextOf(Text::No).in(language)))
            return 0;
    }
    if (value == "1" || value == "true")
        return 1;
    if (value == "0" || value == "false")
        return 0;
    return std::nullopt;
}

} // namespace hx
