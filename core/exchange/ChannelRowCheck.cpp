#include "core/exchange/ChannelRowCheck.h"

#include "core/codeplug/Frequency.h"
#include "core/texts/FunctionChoices.h"
#include "core/texts/Texts.h"

namespace hx {
namespace {

Field FieldAt(std::size_t f) {
    return static_cast<Field>(f);
}

class RowChecker {
public:
    explicit RowChecker(const RowRules& rules) : rules_(rules) {}

    std::string problem(Field field, std::string_view cell, std::string_view what) const {
        return FillText(text(Text::PlanCellProblem),
                        {ChannelFieldName(field, rules_.language), Trimmed(cell), what});
    }
    std::string problem(Field field, std::string_view cell, Text what) const {
        return problem(field, cell, text(what));
    }
    std::string needs(Field field, Field needed) const {
        return FillText(text(Text::PlanNeeds), {ChannelFieldName(field, rules_.language),
                                                ChannelFieldName(needed, rules_.language)});
    }

    // The frequency the editor would store for this cell typed into its box.
    std::variant<double, std::string> frequency(std::string_view cell, Field field) const {
        const auto mhz = FrequencyCellAsMhz(cell);
        if (!mhz)
            return problem(field, cell, Text::PlanNotAFrequency);
        std::string entry = *mhz;
        bool snapped = false;
        if (rules_.bandCheckOn) {
            const auto box =
                field == Field::RxFrequency ? FrequencyBox::Receive : FrequencyBox::Transmit;
            // Refusing, not marking: a file has nobody to see a red cell before it is stored.
            const FrequencyCheck check =
                CheckFrequencyEntry(entry, box, rules_.band, false, rules_.language);
            if (check.legal == false)
                return problem(field, cell, check.message);
            snapped = check.legal.has_value(); // a profile band that is no number checks nothing
            entry = check.text;
        }
        // Unlike the editor, which puts the band's low edge in place of an entry the
        // radio cannot store, an import refuses it: nobody typed the low edge.
        if (!Storable(ParseNumber(entry)))
            return problem(field, cell, Text::PlanNotStorable);
        if (!snapped)
            entry = NormaliseUncheckedEntry(entry, rules_.band).text;
        const auto stored = ParseNumber(entry);
        if (!Storable(stored))
            return problem(field, cell, Text::PlanNotStorable);
        return *stored;
    }

    std::variant<double, std::string> tone(std::string_view cell, Field field) const {
        if (Trimmed(cell).empty())
            return 0.0;
        if (const auto position = ToneCellPosition(cell, rules_.tones))
            return static_cast<double>(*position);
        return problem(field, cell, Text::PlanNotInList);
    }

    std::variant<double, std::string> onOff(std::string_view cell, Field field) const {
        if (Trimmed(cell).empty())
            return 0.0;
        if (const auto value = SwitchCellValue(cell))
            return static_cast<double>(*value);
        return problem(field, cell, Text::PlanNotYesOrNo);
    }

private:
    static bool Storable(std::optional<double> mhz) {
        return mhz && *mhz >= kLowestPlausibleMhz && *mhz < kHighestPlausibleMhz;
    }
    std::string_view text(Text t) const { return TextOf(t).in(rules_.language); }

    const RowRules& rules_;
};

} // namespace

ChannelValues ValuesOf(const ChannelTable& table, int channel) {
    ChannelValues values;
    for (std::size_t f = 0; f < values.size(); ++f)
        values[f] = table.value(channel, FieldAt(f));
    return values;
}

void StoreValues(ChannelTable& table, int channel, const ChannelValues& values) {
    for (std::size_t f = 0; f < values.size(); ++f)
        table.setValue(channel, FieldAt(f), values[f]);
}

std::variant<ChannelValues, std::string>
CheckChannelRow(const RowCells& cells, const ChannelValues& current, const RowRules& rules) {
    std::array<std::string, kRowFieldCount> texts;
    for (std::size_t f = 0; f < texts.size(); ++f)
        texts[f] = cells[f] ? *cells[f]
                            : FieldCell(FieldAt(f), current[f], rules.tones, rules.language, '.');
    const auto given = [&](Field f) {
        const auto& cell = cells[static_cast<std::size_t>(f)];
        return cell && !Trimmed(*cell).empty();
    };
    const auto textOf = [&](Field f) -> const std::string& {
        return texts[static_cast<std::size_t>(f)];
    };
    const RowChecker checker(rules);

    ChannelValues values;
    values.fill(EmptyValue);
    if (Trimmed(textOf(Field::RxFrequency)).empty()) {
        // The editor clears a channel whose receive frequency is gone; what else the
        // row says would be lost, so it is refused instead.
        for (std::size_t f = 1; f < values.size(); ++f)
            if (given(FieldAt(f)))
                return checker.needs(FieldAt(f), Field::RxFrequency);
        return values;
    }
    const bool transmits = !Trimmed(textOf(Field::TxFrequency)).empty();
    const auto check = [&](Field field) -> std::variant<double, std::string> {
        const std::string& cell = textOf(field);
        switch (field) {
        case Field::RxFrequency:
            return checker.frequency(cell, field);
        case Field::TxFrequency:
            return transmits ? checker.frequency(cell, field) : EmptyValue;
        case Field::RxTone:
            return checker.tone(cell, field);
        case Field::TxTone: {
            if (transmits)
                return checker.tone(cell, field);
            // A receive-only channel has no encode tone: the editor's list is disabled.
            const auto tone = checker.tone(cell, field);
            const bool noTone = std::holds_alternative<double>(tone) && std::get<double>(tone) == 0;
            if (given(field) && !noTone)
                return checker.needs(field, Field::TxFrequency);
            return EmptyValue;
        }
        default:
            return checker.onOff(cell, field);
        }
    };
    for (std::size_t f = 0; f < values.size(); ++f) {
        const auto value = check(FieldAt(f));
        if (const auto* reason = std::get_if<std::string>(&value))
            return *reason;
        values[f] = std::get<double>(value);
    }
    return values;
}

} // namespace hx
