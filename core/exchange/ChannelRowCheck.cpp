#include "core/exchange/ChannelRowCheck.h"

#include "core/codeplug/Frequency.h"
#include "core/codeplug/FunctionChoices.h"
#include "core/texts/Texts.h"

#include <cmath>

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
                        {CellName(rules_, field), QuotedCell(cell), what});
    }
    std::string problem(Field field, std::string_view cell, Text what) const {
        return problem(field, cell, text(what));
    }
    std::string needs(Field field, Field needed) const {
        return FillText(text(Text::PlanNeeds), {CellName(rules_, field), CellName(rules_, needed)});
    }

    // The frequency a cell gives, exactly, or why it cannot be stored; a note says
    // what the editor would have marked or snapped.
    std::variant<double, std::string> frequency(std::string_view cell, Field field,
                                                std::string& note) const {
        const auto mhz = FrequencyCellAsMhz(cell);
        if (!mhz)
            return problem(field, cell, Text::PlanNotAFrequency);
        const double given = *ParseNumber(*mhz);
        const std::string exact = FormatFrequency(Mhz{given});
        if (rules_.bandCheckOn) {
            const auto box =
                field == Field::RxFrequency ? FrequencyBox::Receive : FrequencyBox::Transmit;
            const FrequencyCheck check =
                CheckFrequencyEntry(exact, box, rules_.band, false, rules_.language);
            if (check.legal == false && !rules_.outOfBandMarking)
                return problem(field, cell, check.message);
            if (check.legal == false)
                note = check.message;
        }
        if (!(given >= kLowestPlausibleMhz && given < kHighestPlausibleMhz))
            return problem(field, cell, Text::PlanNotStorable);
        if (!OnTensOfHertz(given))
            return problem(field, cell, Text::PlanFinerThanStored);
        const double stored = *ParseNumber(exact);
        const auto band = BandFromEdges(rules_.band.lowEdge, rules_.band.highEdge);
        if (band && FormatFrequency(band->snap(Mhz{stored})) != exact)
            note += (note.empty() ? "" : "; ") + std::string(text(Text::PlanOffRaster));
        return stored;
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
    // The image keeps frequencies in tens of hertz; a spreadsheet's last binary digit
    // (450.01250000000002) is no finer step.
    static bool OnTensOfHertz(double mhz) {
        const double tens = mhz * kTensOfHzPerMhz;
        return std::abs(tens - RoundHalfEven(tens)) < 1e-3;
    }
    std::string_view text(Text t) const { return TextOf(t).in(rules_.language); }

    const RowRules& rules_;
};

} // namespace

std::string CellName(const RowRules& rules, Field field) {
    const std::string& name = rules.cellNames[static_cast<std::size_t>(field)];
    return name.empty() ? ChannelFieldName(field, rules.language) : name;
}

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

std::variant<CheckedRow, std::string>
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

    CheckedRow row;
    ChannelValues& values = row.values;
    values.fill(EmptyValue);
    if (Trimmed(textOf(Field::RxFrequency)).empty()) {
        // The editor clears a channel whose receive frequency is gone; what else the
        // row says would be lost, so it is refused instead.
        for (std::size_t f = 1; f < values.size(); ++f)
            if (given(FieldAt(f)))
                return checker.needs(FieldAt(f), Field::RxFrequency);
        return row;
    }
    const bool transmits = !Trimmed(textOf(Field::TxFrequency)).empty();
    const auto check = [&](Field field) -> std::variant<double, std::string> {
        const std::string& cell = textOf(field);
        std::string& note = row.notes[static_cast<std::size_t>(field)];
        switch (field) {
        case Field::RxFrequency:
            return checker.frequency(cell, field, note);
        case Field::TxFrequency:
            return transmits ? checker.frequency(cell, field, note) : EmptyValue;
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
    return row;
}

} // namespace hx
