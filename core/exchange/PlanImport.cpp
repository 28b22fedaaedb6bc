#include "core/exchange/PlanImport.h"

#include "core/codeplug/FunctionChoices.h"
#include "core/exchange/ChannelRowCheck.h"
#include "core/exchange/ChirpCsv.h"
#include "core/exchange/CsvSyntax.h"
#include "core/exchange/TextEncoding.h"
#include "core/texts/Texts.h"

#include <algorithm>
#include <set>

namespace hx {
namespace {

// A line without a single separator: nothing at all, not even a row.
bool IsBlankLine(const CsvRecord& record) {
    return record.fields.size() == 1 && Trimmed(record.fields.front()).empty();
}

// A row whose every cell is empty: a channel not in use where rows are channels in order.
bool IsEmptyRow(const CsvRecord& record) {
    return std::all_of(record.fields.begin(), record.fields.end(),
                       [](const std::string& field) { return Trimmed(field).empty(); });
}

std::optional<int> WholeNumber(std::string_view text) {
    text = Trimmed(text);
    if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != text.npos)
        return std::nullopt;
    return std::stoi(std::string(text));
}

// A row that opens with a channel number (or an empty one) rather than a frequency.
bool OpensWithChannel(std::string_view first) {
    first = Trimmed(first);
    return first.empty() || (first.size() <= 2 && WholeNumber(first));
}

// Which field of a record holds which column.
class RowLayout {
public:
    // The columns an export writes, with or without the channel number.
    static RowLayout Positional(bool withChannel) {
        RowLayout layout;
        std::size_t index = 0;
        for (int c = withChannel ? 0 : 1; c < kPlanColumnCount; ++c)
            layout.index_[static_cast<std::size_t>(c)] = index++;
        return layout;
    }
    // A heading row: one that names two columns or more, or a single column alone.
    static std::optional<RowLayout> FromHeading(const CsvRecord& record) {
        RowLayout layout;
        int named = 0;
        int filled = 0;
        for (std::size_t i = 0; i < record.fields.size(); ++i) {
            filled += Trimmed(record.fields[i]).empty() ? 0 : 1;
            const auto column = ColumnOfHeading(record.fields[i]);
            if (!column)
                continue;
            auto& index = layout.index_[static_cast<std::size_t>(*column)];
            if (!index) {
                index = i;
                ++named;
            }
        }
        return named >= std::min(2, filled) && named > 0 ? std::optional(layout) : std::nullopt;
    }
    bool has(PlanColumn column) const {
        return index_[static_cast<std::size_t>(column)].has_value();
    }
    std::optional<std::string> cell(const CsvRecord& record, PlanColumn column) const {
        const auto index = index_[static_cast<std::size_t>(column)];
        if (!index || *index >= record.fields.size())
            return std::nullopt;
        return record.fields[*index];
    }

private:
    std::array<std::optional<std::size_t>, kPlanColumnCount> index_{};
};

class PlanReader {
public:
    PlanReader(const ChannelPlan& current, const PlanContext& context,
               std::optional<int> pasteStart)
        : current_(current), context_(context), pasteStart_(pasteStart),
          nextChannel_(pasteStart.value_or(0)) {
        result_.plan = current;
    }

    PlanImport read(const CsvTable& table) {
        std::vector<std::pair<const CsvRecord*, RowLayout>> channelRows;
        std::vector<const CsvRecord*> subModelRows;
        std::vector<std::pair<const CsvRecord*, FunctionSetting>> settingRows;
        std::optional<RowLayout> layout;
        // Empty rows before the first that shows the layout: channels only without a
        // channel column, where nothing but their place says which channel they are.
        std::vector<const CsvRecord*> emptyRows;
        const auto placeEmptyRows = [&] {
            if (!layout->has(PlanColumn::Channel))
                for (const CsvRecord* record : emptyRows)
                    channelRows.emplace_back(record, *layout);
            emptyRows.clear();
        };
        for (const CsvRecord& record : table.records) {
            if (IsBlankLine(record))
                continue;
            if (auto chirp = ChirpLayout::FromHeading(record)) {
                chirp_ = chirp;
                chirpLine_ = record.line;
                continue;
            }
            if (chirp_) {
                if (!IsEmptyRow(record))
                    chirpRows_.push_back(&record);
                continue;
            }
            if (IsEmptyRow(record)) {
                emptyRows.push_back(&record);
                if (layout)
                    placeEmptyRows();
                continue;
            }
            if (auto heading = RowLayout::FromHeading(record)) {
                layout = heading;
                emptyRows.clear();
                continue;
            }
            const std::string_view first = record.fields.front();
            const auto setting = SettingOfName(first);
            if (setting || NamesSubModel(first)) {
                if (pasteStart_)
                    reject(record.line, text(Text::PlanPasteChannelsOnly));
                else if (setting)
                    settingRows.emplace_back(&record, *setting);
                else
                    subModelRows.push_back(&record);
                continue;
            }
            if (!layout) {
                if (!OpensWithChannel(first) && !FrequencyCellAsMhz(first)) {
                    reject(record.line, text(Text::PlanUnknownRow));
                    continue;
                }
                layout = RowLayout::Positional(OpensWithChannel(first));
                placeEmptyRows();
            }
            channelRows.emplace_back(&record, *layout);
        }
        // The sub-model first: choosing it resets the settings and decides the band.
        for (const CsvRecord* record : subModelRows)
            readSubModel(*record);
        for (const auto& [record, setting] : settingRows)
            readSetting(*record, setting);
        for (const auto& [record, rowLayout] : channelRows)
            readChannel(*record, rowLayout);
        readChirpRows();
        listChanges();
        std::stable_sort(
            result_.rejected.begin(), result_.rejected.end(),
            [](const RejectedRow& a, const RejectedRow& b) { return a.line < b.line; });
        return std::move(result_);
    }

private:
    std::string text(Text t) const { return std::string(TextOf(t).in(context_.language)); }
    DecoderState& state() { return result_.plan.state; }
    const ModelProfile& profile() const { return context_.model.profile; }

    void reject(int line, std::string reason) {
        result_.rejected.push_back({line, std::move(reason)});
    }
    std::string cellProblem(std::string_view name, std::string_view cell, Text what) const {
        return FillText(text(Text::PlanCellProblem), {name, QuotedCell(cell), text(what)});
    }
    std::string repeated(std::string_view subject, int line) const {
        return FillText(text(Text::PlanRepeated), {subject, std::to_string(line)});
    }
    static std::string valueOf(const CsvRecord& record) {
        return record.fields.size() > 1 ? std::string(Trimmed(record.fields[1])) : std::string();
    }
    std::string subModelName(int s) const {
        return s >= 0 && s < profile().subModelCount ? profile().subModelName(s) : std::string();
    }

    void readSubModel(const CsvRecord& record) {
        const std::string name = SubModelRowName(context_.language);
        const std::string value = valueOf(record);
        if (value.empty())
            return; // a plan of a profile without sub-models
        if (subModelLine_ > 0)
            return reject(record.line, repeated(name, subModelLine_));
        int found = -1;
        for (int s = 0; s < profile().subModelCount && found < 0; ++s)
            if (SaysName(value, profile().subModelName(s)))
                found = s;
        if (found < 0)
            return reject(record.line, cellProblem(name, value, Text::PlanNotInList));
        subModelLine_ = record.line;
        ++result_.usedRows;
        if (found == state().subModel)
            return;
        state().subModel = found;
        state().functions = profile().functionDefaults;
        state().channels.clear();
        result_.plan.comments = {};
    }

    void readSetting(const CsvRecord& record, FunctionSetting setting) {
        const auto i = static_cast<std::size_t>(setting);
        const std::string name = FunctionSettingName(setting, context_.language);
        if (settingLines_[i] > 0)
            return reject(record.line, repeated(name, settingLines_[i]));
        const std::string value = valueOf(record);
        int position = -1; // an empty value is no selection, as a corrupt image gives
        for (const Language language : {Language::Chinese, Language::English}) {
            const auto items = FunctionChoices(setting, context_.model.modelCode, language);
            for (std::size_t p = 0; p < items.size() && position < 0 && !value.empty(); ++p)
                if (SaysName(value, items[p]))
                    position = static_cast<int>(p);
        }
        if (position < 0 && !value.empty())
            return reject(record.line, cellProblem(name, value, Text::PlanNotInList));
        settingLines_[i] = record.line;
        ++result_.usedRows;
        state().functions[setting] = position;
    }

    RowRules rules() const {
        const int s = result_.plan.state.subModel;
        BandContext band;
        if (s >= 0 && s < profile().subModelCount)
            band = {profile().lowEdgeText(s), profile().highEdgeText(s),
                    profile().bandTexts[static_cast<std::size_t>(s)]};
        return {band, context_.bandCheckOn, context_.outOfBandMarking, context_.model.tones,
                context_.language};
    }

    // The channel a row is for, or nothing when it names none (the reason is given).
    std::optional<int> channelOf(const CsvRecord& record, const RowLayout& layout) {
        if (pasteStart_)
            return nextChannel_++;
        const auto cell = layout.cell(record, PlanColumn::Channel);
        if (!cell || Trimmed(*cell).empty())
            return nextChannel_++;
        const auto number = WholeNumber(*cell);
        if (!number) {
            reject(record.line, text(Text::PlanUnknownRow));
            return std::nullopt;
        }
        if (*number < 1 || *number > kChannelCount) {
            reject(record.line, cellProblem(ColumnHeading(PlanColumn::Channel, context_.language),
                                            *cell, Text::PlanNotAChannel));
            return std::nullopt;
        }
        nextChannel_ = *number;
        return *number - 1;
    }

    void readChannel(const CsvRecord& record, const RowLayout& layout) {
        const auto channel = channelOf(record, layout);
        if (!channel)
            return;
        const bool empty = IsEmptyRow(record);
        if (*channel >= kChannelCount && empty)
            return; // nothing to place, and no channel lost for it
        RowCells cells;
        for (int f = 0; f < kRowFieldCount; ++f)
            cells[static_cast<std::size_t>(f)] =
                layout.cell(record, ColumnOfField(static_cast<Field>(f)));
        const auto comment = layout.cell(record, PlanColumn::Comment);
        storeChannel(record.line, *channel, empty ? std::nullopt : std::optional(cells), {},
                     comment || empty ? std::optional(comment.value_or("")) : std::nullopt);
    }

    // CHIRP's rows by their locations, counted from 1 or, where a file starts at 0,
    // from 0; one mode for every channel sets the wide/narrow setting.
    void readChirpRows() {
        if (!chirp_)
            return;
        std::vector<std::pair<int, ChirpChannel>> rows;
        for (const CsvRecord* record : chirpRows_) {
            auto row = ReadChirpRow(*record, *chirp_, context_.model.tones, context_.language);
            if (const auto* reason = std::get_if<std::string>(&row))
                reject(record->line, *reason);
            else
                rows.emplace_back(record->line, std::move(std::get<ChirpChannel>(row)));
        }
        const bool fromZero = std::any_of(rows.begin(), rows.end(),
                                          [](const auto& row) { return row.second.location == 0; });
        if (fromZero)
            result_.notes.push_back(text(Text::ChirpLocationsShifted));
        std::set<int> modes;
        for (const auto& [line, row] : rows) {
            const int channel = pasteStart_ ? nextChannel_++ : row.location - (fromZero ? 0 : 1);
            if (!pasteStart_ && (channel < 0 || channel >= kChannelCount)) {
                reject(line, cellProblem(ChirpHeading(ChirpColumn::Location),
                                         std::to_string(row.location), Text::PlanNotAChannel));
                continue;
            }
            if (storeChannel(line, channel, row.cells, row.columnNames, row.comment) &&
                row.wideNarrow)
                modes.insert(*row.wideNarrow);
        }
        if (modes.size() == 1) {
            state().functions[FunctionSetting::WideNarrow] = *modes.begin();
            settingLines_[static_cast<std::size_t>(FunctionSetting::WideNarrow)] = chirpLine_;
        }
        std::string notStored;
        for (const std::string& column : ChirpColumnsNotStored(*chirp_, chirpRows_))
            notStored += (notStored.empty() ? "" : ", ") + column;
        if (!notStored.empty())
            result_.notes.push_back(FillText(text(Text::ChirpNotStored), {notStored}));
    }

    // Puts a row's cells into channel `c`; a row without cells is an unused channel.
    // Whether the channel was taken.
    bool storeChannel(int line, int c, const std::optional<RowCells>& cells,
                      const std::array<std::string, kRowFieldCount>& cellNames,
                      const std::optional<std::string>& comment) {
        if (c >= kChannelCount) {
            reject(line, text(Text::PlanNoChannelLeft));
            return false;
        }
        const auto index = static_cast<std::size_t>(c);
        if (channelLines_[index] > 0) {
            reject(line, repeated(FillText(text(Text::PlanChannelSubject), {std::to_string(c + 1)}),
                                  channelLines_[index]));
            return false;
        }
        RowRules rules = this->rules();
        rules.cellNames = cellNames;
        CheckedRow row;
        row.values.fill(EmptyValue);
        if (cells) {
            auto checked = CheckChannelRow(*cells, ValuesOf(state().channels, c), rules);
            if (const auto* reason = std::get_if<std::string>(&checked)) {
                reject(line, *reason);
                return false;
            }
            row = std::move(std::get<CheckedRow>(checked));
        }
        StoreValues(state().channels, c, row.values);
        if (comment)
            result_.plan.comments[index] = Trimmed(*comment);
        notes_[index] = row.notes;
        for (std::size_t f = 0; f < row.notes.size(); ++f) {
            const auto field = static_cast<Field>(f);
            if (!row.notes[f].empty())
                result_.warnings.push_back(
                    {line, FillText(text(Text::PlanCellProblem),
                                    {CellName(rules, field),
                                     FieldCell(field, row.values[f], context_.model.tones,
                                               context_.language, '.'),
                                     row.notes[f]})});
        }
        channelLines_[index] = line;
        ++result_.usedRows;
        return true;
    }

    void listChanges() {
        const DecoderState& before = current_.state;
        const DecoderState& after = result_.plan.state;
        const Language language = context_.language;
        if (after.subModel != before.subModel)
            result_.settingChanges.push_back({subModelLine_, SubModelRowName(language),
                                              subModelName(before.subModel),
                                              subModelName(after.subModel)});
        for (int i = 0; i < kFunctionSettingCount; ++i) {
            const auto setting = static_cast<FunctionSetting>(i);
            if (after.functions[setting] == before.functions[setting])
                continue;
            const int line = settingLines_[static_cast<std::size_t>(i)];
            const auto shown = [&](const DecoderState& s) {
                return FunctionChoiceText(setting, s.functions[setting], context_.model.modelCode,
                                          language);
            };
            result_.settingChanges.push_back({line > 0 ? line : subModelLine_,
                                              FunctionSettingName(setting, language), shown(before),
                                              shown(after)});
        }
        const ToneTable& tones = context_.model.tones;
        for (int c = 0; c < kChannelCount; ++c) {
            const auto index = static_cast<std::size_t>(c);
            if (ValuesOf(after.channels, c) == ValuesOf(before.channels, c) &&
                result_.plan.comments[index] == current_.comments[index])
                continue;
            const int line = channelLines_[index];
            result_.channelChanges.push_back(
                {line > 0 ? line : subModelLine_, c, RowTextsOf(current_, c, tones, language),
                 RowTextsOf(result_.plan, c, tones, language), notes_[index]});
        }
    }

    const ChannelPlan& current_;
    const PlanContext& context_;
    const std::optional<int> pasteStart_;
    PlanImport result_;
    int nextChannel_ = 0;
    int subModelLine_ = 0;
    std::array<int, kFunctionSettingCount> settingLines_{};
    std::array<int, kChannelCount> channelLines_{};
    std::array<std::array<std::string, kRowFieldCount>, kChannelCount> notes_{};
    std::optional<ChirpLayout> chirp_;
    int chirpLine_ = 0;
    std::vector<const CsvRecord*> chirpRows_;
};

// A first line of words naming no column this program knows: another program's layout,
// said as such rather than as every row refused.
std::optional<std::string> UnknownHeading(const CsvTable& table, Language language) {
    constexpr std::size_t kColumnsShown = 30;
    const auto first = std::find_if_not(table.records.begin(), table.records.end(), IsEmptyRow);
    if (first == table.records.end() || ChirpLayout::FromHeading(*first) ||
        RowLayout::FromHeading(*first))
        return std::nullopt;
    const std::string_view opening = first->fields.front();
    if (SettingOfName(opening) || NamesSubModel(opening) || OpensWithChannel(opening))
        return std::nullopt;
    std::vector<std::string> seen;
    for (const std::string& field : first->fields) {
        if (Trimmed(field).empty())
            continue;
        if (FrequencyCellAsMhz(field))
            return std::nullopt; // a row of data, refused by its line
        seen.push_back(QuotedCell(field));
    }
    if (seen.size() < 2)
        return std::nullopt;
    std::string columns;
    for (std::size_t i = 0; i < std::min(seen.size(), kColumnsShown); ++i)
        columns += (i > 0 ? ", " : "") + seen[i];
    if (seen.size() > kColumnsShown)
        columns += ", …";
    return FillText(TextOf(Text::PlanUnknownLayout).in(language), {columns});
}

std::string UnclosedQuote(int line, Language language) {
    return FillText(TextOf(Text::PlanUnclosedQuote).in(language), {std::to_string(line)});
}

} // namespace

std::variant<PlanImport, UnreadablePlan>
ImportPlanCsv(std::string_view fileBytes, const ChannelPlan& current, const PlanContext& context) {
    if (fileBytes.size() > kLargestPlanText)
        return UnreadablePlan{std::string(TextOf(Text::PlanTooLarge).in(context.language))};
    const auto text = SpreadsheetTextAsUtf8(fileBytes);
    if (const auto* unreadable = std::get_if<TextPosition>(&text))
        return UnreadablePlan{
            FillText(TextOf(Text::PlanNotText).in(context.language),
                     {std::to_string(unreadable->line), std::to_string(unreadable->column)})};
    const CsvTable table = ReadCsv(std::get<std::string>(text));
    if (table.unclosedQuoteLine)
        return UnreadablePlan{UnclosedQuote(*table.unclosedQuoteLine, context.language)};
    if (auto unknown = UnknownHeading(table, context.language))
        return UnreadablePlan{*std::move(unknown)};
    return PlanReader(current, context, std::nullopt).read(table);
}

PlanImport PasteChannels(std::string_view text, int firstChannel, const ChannelPlan& current,
                         const PlanContext& context) {
    const CsvTable table = ReadCsv(text.substr(0, std::min(text.size(), kLargestPlanText)));
    if (table.unclosedQuoteLine) {
        const int line = *table.unclosedQuoteLine;
        PlanImport refused;
        refused.plan = current;
        refused.rejected.push_back({line, UnclosedQuote(line, context.language)});
        return refused;
    }
    return PlanReader(current, context, firstChannel).read(table);
}

std::string DescribeRejection(const RejectedRow& row, Language language) {
    return FillText(TextOf(Text::PlanLine).in(language), {std::to_string(row.line), row.reason});
}

std::string DescribeWarning(const RowWarning& warning, Language language) {
    return DescribeRejection({warning.line, warning.text}, language);
}

} // namespace hx
