#include "core/exchange/PlanCells.h"

#include "core/codeplug/Frequency.h"
#include "core/codeplug/FunctionChoices.h"
#include "core/texts/Texts.h"

#include <algorithm>
#include <array>
#include <cmath>
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

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), LowerAscii);
    return lower;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
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

// The names that mean one thing each, kept as they are compared; the texts never
// change, so a table of them is built once.
template <typename Meaning> class Vocabulary {
public:
    void add(std::string_view name, Meaning meaning) {
        if (std::string word = Comparable(name); !word.empty())
            words_.emplace_back(std::move(word), meaning);
    }
    void addCaption(const char* objectName, Meaning meaning) {
        if (const Bilingual* caption = CaptionOf(objectName)) {
            add(caption->chinese, meaning);
            add(caption->english, meaning);
        }
    }
    std::optional<Meaning> find(std::string_view cell) const {
        const std::string key = Comparable(cell);
        for (const auto& [word, meaning] : words_)
            if (word == key)
                return meaning;
        return std::nullopt;
    }

private:
    std::vector<std::pair<std::string, Meaning>> words_;
};

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

std::string QuotedCell(std::string_view cell) {
    constexpr int kLongestQuote = 40;
    cell = Trimmed(cell);
    std::string quoted;
    int characters = 0;
    for (const char c : cell) {
        const bool startsCharacter = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        if (startsCharacter && characters++ == kLongestQuote)
            return quoted + "…";
        quoted += c == '\n' || c == '\r' || c == '\t' ? ' ' : c;
    }
    return quoted;
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
    static const Vocabulary<PlanColumn> headings = [] {
        Vocabulary<PlanColumn> words;
        for (int c = 0; c < kPlanColumnCount; ++c)
            for (const Language language : kLanguages)
                words.add(ColumnHeading(static_cast<PlanColumn>(c), language),
                          static_cast<PlanColumn>(c));
        for (const auto& [column, objectName] : kWindowWords)
            words.addCaption(objectName, column);
        return words;
    }();
    return headings.find(heading);
}

std::string SubModelRowName(Language language) {
    return std::string(TextOf(Text::SubModelName).in(language));
}

bool NamesSubModel(std::string_view name) {
    static const Vocabulary<bool> names = [] {
        Vocabulary<bool> words;
        for (const Language language : kLanguages)
            words.add(SubModelRowName(language), true);
        words.addCaption("subModelLabel", true);
        return words;
    }();
    return names.find(name).has_value();
}

std::optional<FunctionSetting> SettingOfName(std::string_view name) {
    static const Vocabulary<FunctionSetting> names = [] {
        Vocabulary<FunctionSetting> words;
        for (const auto& [setting, label] : kSettingLabels) {
            for (const Language language : kLanguages)
                words.add(FunctionSettingName(setting, language), setting);
            words.addCaption(label, setting);
        }
        return words;
    }();
    return names.find(name);
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
        return position <= tones.dimensions.ctcssCount ? WithDecimalMark(text, decimalMark) : text;
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
    return FormatFixed(*value * scale, 6);
}

std::optional<int> ToneCellPosition(std::string_view cell, const ToneTable& tones) {
    cell = Trimmed(cell);
    for (const Language language : kLanguages)
        if (SaysName(cell, tones.displayText(0, language)))
            return 0;
    const auto dims = tones.dimensions;
    if (dims.dcsAvailable)
        for (int p = dims.firstDcsPosition; p <= dims.lastPosition && p < kToneTableSize; ++p)
            if (EqualIgnoringCase(cell, tones.names[static_cast<std::size_t>(p)]))
                return p;
    const auto [number, unit] = SplitUnit(cell);
    if (!unit.empty() && unit != "hz")
        return std::nullopt;
    const auto hertz = ParseFrequencyText(number);
    if (!hertz)
        return std::nullopt;
    for (int p = 1; p <= dims.ctcssCount && p < kToneTableSize; ++p) {
        // QT names are tenths of a hertz; a cell may leave the tenths out, not add to them.
        const auto tenths = ParseNumber(tones.names[static_cast<std::size_t>(p)]);
        if (tenths && std::abs(*hertz * 10 - RoundHalfEven(*tenths)) < 1e-6)
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
