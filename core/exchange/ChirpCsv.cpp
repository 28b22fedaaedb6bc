#include "core/exchange/ChirpCsv.h"

#include "core/codeplug/Frequency.h"
#include "core/texts/Texts.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <set>
#include <tuple>

namespace hx {
namespace {

constexpr std::array<std::string_view, kChirpColumnCount> kHeadings = {
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE"};

// What CHIRP fills that this radio has no room for.
constexpr std::array kNotStored = {
    ChirpColumn::Name,   ChirpColumn::TStep,    ChirpColumn::Skip,     ChirpColumn::Power,
    ChirpColumn::Urcall, ChirpColumn::Rpt1Call, ChirpColumn::Rpt2Call, ChirpColumn::DvCode};

// CHIRP's own defaults for the tone columns a row does not use.
constexpr std::string_view kDefaultTone = "88.5";
constexpr std::string_view kDefaultCode = "023";

// Offsets up to this many tens of hertz are written as a repeater's + or -, larger ones
// as the transmit frequency itself ("split").
constexpr long long kLargestOffset = 10 * 100000LL;

bool SameWord(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

long long TensOfHertz(double mhz) {
    return static_cast<long long>(RoundHalfEven(mhz * kTensOfHzPerMhz));
}

std::string Mhz6(double mhz) {
    return FormatFixed(mhz, 6);
}

// Why a row cannot be read, naming the column.
struct Refused {
    std::string reason;
};
// A tone cell as the tone list names it, or why not.
using ToneText = std::variant<std::string, Refused>;

class RowReader {
public:
    RowReader(const CsvRecord& record, const ChirpLayout& layout, const ToneTable& tones,
              Language language)
        : record_(record), layout_(layout), tones_(tones), language_(language) {}

    std::variant<ChirpChannel, std::string> read() {
        ChirpChannel channel;
        const std::string location = cell(ChirpColumn::Location);
        if (location.empty() || location.size() > 4 ||
            location.find_first_not_of("0123456789") != std::string::npos)
            return problem(ChirpColumn::Location, Text::PlanNotAChannel);
        channel.location = std::stoi(location);

        const std::string receive = cell(ChirpColumn::Frequency);
        const auto rx = FrequencyCellAsMhz(receive);
        if (!rx)
            return problem(ChirpColumn::Frequency, Text::PlanNotAFrequency);
        std::string transmit = receive;
        ChirpColumn transmitColumn = ChirpColumn::Frequency;
        const std::string duplex = cell(ChirpColumn::Duplex);
        if (duplex == "+" || duplex == "-" || SameWord(duplex, "split")) {
            transmitColumn = ChirpColumn::Offset;
            const auto offset = FrequencyCellAsMhz(cell(ChirpColumn::Offset));
            if (!offset)
                return problem(ChirpColumn::Offset, Text::PlanNotAFrequency);
            const double sign = duplex == "+" ? 1.0 : duplex == "-" ? -1.0 : 0.0;
            transmit =
                sign == 0.0 ? *offset : Mhz6(*ParseNumber(*rx) + sign * *ParseNumber(*offset));
        } else if (SameWord(duplex, "off")) {
            transmit.clear();
        } else if (!duplex.empty()) {
            return problem(ChirpColumn::Duplex, Text::ChirpNotDuplex);
        }

        const auto tones = readTones();
        if (const auto* refused = std::get_if<Refused>(&tones))
            return refused->reason;
        std::tie(channel.cells[2], channel.cells[3]) = std::get<TonePair>(tones);
        if (transmit.empty())
            channel.cells[3] = ""; // a receive-only channel sends no tone
        channel.cells[0] = receive;
        channel.cells[1] = transmit;
        channel.columnNames = {std::string(ChirpHeading(ChirpColumn::Frequency)),
                               std::string(ChirpHeading(transmitColumn)),
                               std::string(ChirpHeading(rxToneColumn_)),
                               std::string(ChirpHeading(txToneColumn_)),
                               {},
                               {}};

        const std::string mode = cell(ChirpColumn::Mode);
        if (SameWord(mode, "FM"))
            channel.wideNarrow = 0;
        else if (SameWord(mode, "NFM"))
            channel.wideNarrow = 1;
        else if (!mode.empty())
            return problem(ChirpColumn::Mode, Text::PlanNotInList);
        channel.comment = cell(ChirpColumn::Comment);
        return channel;
    }

private:
    using TonePair = std::pair<std::string, std::string>; // decode, encode

    std::string cell(ChirpColumn column) const {
        return std::string(Trimmed(layout_.cell(record_, column).value_or("")));
    }
    std::string problem(ChirpColumn column, Text what) const {
        return FillText(
            TextOf(Text::PlanCellProblem).in(language_),
            {ChirpHeading(column), QuotedCell(cell(column)), TextOf(what).in(language_)});
    }
    Refused refused(ChirpColumn column) const { return {problem(column, Text::PlanNotInList)}; }

    // A QT tone from one of the two tone columns, as the tone list names it.
    ToneText qt(ChirpColumn column) const {
        const auto position = ToneCellPosition(cell(column), tones_);
        if (position && *position > 0 && *position <= tones_.dimensions.ctcssCount)
            return tones_.displayText(*position, Language::English);
        return refused(column);
    }

    // A DQT code with the polarity of one side (0 transmit, 1 receive), as the tone
    // list spells it: N normal, I inverted where CHIRP writes R.
    ToneText dqt(ChirpColumn column, std::size_t side) const {
        std::string code = cell(column);
        if (code.empty() || code.size() > 3 || code.find_first_not_of("01234567") != code.npos)
            return refused(column);
        code.insert(0, 3 - code.size(), '0');
        const std::string polarity = cell(ChirpColumn::DtcsPolarity);
        const char p = polarity.size() == 2 ? polarity[side] : 'N';
        if ((p != 'N' && p != 'R') || (!polarity.empty() && polarity.size() != 2))
            return refused(ChirpColumn::DtcsPolarity);
        const std::string name = "D" + code + (p == 'N' ? "N" : "I");
        const auto position = ToneCellPosition(name, tones_);
        if (tones_.dimensions.dcsAvailable && position &&
            *position >= tones_.dimensions.firstDcsPosition)
            return name;
        return refused(column);
    }

    // One side of a cross mode: "Tone", "DTCS" or nothing.
    ToneText side(std::string_view kind, std::size_t which) {
        const bool transmit = which == 0;
        if (kind.empty())
            return std::string();
        if (SameWord(kind, "Tone")) {
            (transmit ? txToneColumn_ : rxToneColumn_) =
                transmit ? ChirpColumn::RToneFreq : ChirpColumn::CToneFreq;
            return qt(transmit ? ChirpColumn::RToneFreq : ChirpColumn::CToneFreq);
        }
        if (SameWord(kind, "DTCS")) {
            const ChirpColumn column = transmit || !layout_.cell(record_, ChirpColumn::RxDtcsCode)
                                           ? ChirpColumn::DtcsCode
                                           : ChirpColumn::RxDtcsCode;
            (transmit ? txToneColumn_ : rxToneColumn_) = column;
            return dqt(column, which);
        }
        return refused(ChirpColumn::CrossMode);
    }

    std::variant<TonePair, Refused> readTones() {
        const std::string mode = cell(ChirpColumn::Tone);
        std::string transmitKind;
        std::string receiveKind;
        if (SameWord(mode, "Tone")) {
            transmitKind = "Tone";
        } else if (SameWord(mode, "TSQL")) {
            // Both ways the one tone of the ToneSql column.
            rxToneColumn_ = txToneColumn_ = ChirpColumn::CToneFreq;
            const auto tone = qt(ChirpColumn::CToneFreq);
            if (const auto* no = std::get_if<Refused>(&tone))
                return *no;
            return TonePair{std::get<std::string>(tone), std::get<std::string>(tone)};
        } else if (SameWord(mode, "DTCS")) {
            // Both ways the one code, each side with its own polarity.
            rxToneColumn_ = txToneColumn_ = ChirpColumn::DtcsCode;
            return pair(dqt(ChirpColumn::DtcsCode, 1), dqt(ChirpColumn::DtcsCode, 0));
        } else if (SameWord(mode, "Cross")) {
            const std::string cross = cell(ChirpColumn::CrossMode);
            const auto arrow = cross.find("->");
            if (arrow == std::string::npos)
                return refused(ChirpColumn::CrossMode);
            transmitKind = cross.substr(0, arrow);
            receiveKind = cross.substr(arrow + 2);
        } else if (!mode.empty()) {
            return refused(ChirpColumn::Tone);
        }
        const ToneText transmit = side(transmitKind, 0);
        return pair(side(receiveKind, 1), transmit);
    }

    static std::variant<TonePair, Refused> pair(const ToneText& receive, const ToneText& transmit) {
        for (const ToneText* side : {&transmit, &receive})
            if (const auto* no = std::get_if<Refused>(side))
                return *no;
        return TonePair{std::get<std::string>(receive), std::get<std::string>(transmit)};
    }

    const CsvRecord& record_;
    const ChirpLayout& layout_;
    const ToneTable& tones_;
    Language language_;
    ChirpColumn rxToneColumn_ = ChirpColumn::Tone;
    ChirpColumn txToneColumn_ = ChirpColumn::Tone;
};

// What CHIRP writes for one side of a channel's tones.
struct ToneSide {
    enum Kind { None, Qt, Dqt } kind = None;
    std::string tone;    // "88.5"
    std::string code;    // "023"
    char polarity = 'N'; // N, or R for inverted
};

ToneSide SideOf(double position, const ToneTable& tones) {
    const int p = static_cast<int>(position);
    if (p <= 0 || p > tones.dimensions.lastPosition)
        return {};
    if (p <= tones.dimensions.ctcssCount)
        return {ToneSide::Qt, tones.displayText(p, Language::English), {}, 'N'};
    const std::string name = tones.displayText(p, Language::English); // "D023N"
    const std::string code = name.size() >= 4 ? name.substr(1, 3) : name;
    return {ToneSide::Dqt, {}, code, name.ends_with('I') ? 'R' : 'N'};
}

std::string_view KindWord(const ToneSide& side) {
    return side.kind == ToneSide::Qt ? "Tone" : side.kind == ToneSide::Dqt ? "DTCS" : "";
}

std::vector<std::string> ChirpRow(const ChannelPlan& plan, int c, const PlanContext& context) {
    const ChannelTable& table = plan.state.channels;
    std::vector<std::string> row(kChirpColumnCount);
    const auto put = [&](ChirpColumn column, std::string value) {
        row[static_cast<std::size_t>(column)] = std::move(value);
    };
    const double rx = table.value(c, Field::RxFrequency);
    const double tx = table.value(c, Field::TxFrequency);
    put(ChirpColumn::Location, std::to_string(c + 1));
    put(ChirpColumn::Frequency, Mhz6(rx));
    const long long difference = tx == EmptyValue ? 0 : TensOfHertz(tx) - TensOfHertz(rx);
    if (tx == EmptyValue) {
        put(ChirpColumn::Duplex, "off");
        put(ChirpColumn::Offset, Mhz6(0));
    } else if (std::llabs(difference) > kLargestOffset) {
        put(ChirpColumn::Duplex, "split");
        put(ChirpColumn::Offset, Mhz6(tx));
    } else {
        put(ChirpColumn::Duplex, difference == 0 ? "" : difference > 0 ? "+" : "-");
        put(ChirpColumn::Offset,
            Mhz6(static_cast<double>(std::llabs(difference)) / kTensOfHzPerMhz));
    }

    const ToneTable& tones = context.model.tones;
    const ToneSide send =
        tx == EmptyValue ? ToneSide{} : SideOf(table.value(c, Field::TxTone), tones);
    const ToneSide hear = SideOf(table.value(c, Field::RxTone), tones);
    std::string mode;
    std::string rTone(kDefaultTone), cTone(kDefaultTone);
    std::string code(kDefaultCode), rxCode(kDefaultCode);
    std::string cross = "Tone->Tone";
    if (send.kind == ToneSide::None && hear.kind == ToneSide::None) {
    } else if (send.kind == ToneSide::Qt && hear.kind == ToneSide::None) {
        mode = "Tone";
        rTone = send.tone;
    } else if (send.kind == ToneSide::Qt && hear.kind == ToneSide::Qt && send.tone == hear.tone) {
        mode = "TSQL";
        rTone = cTone = send.tone;
    } else if (send.kind == ToneSide::Dqt && hear.kind == ToneSide::Dqt && send.code == hear.code) {
        mode = "DTCS";
        code = rxCode = send.code;
    } else {
        mode = "Cross";
        cross = std::string(KindWord(send)) + "->" + std::string(KindWord(hear));
        if (send.kind == ToneSide::Qt)
            rTone = send.tone;
        if (hear.kind == ToneSide::Qt)
            cTone = hear.tone;
        if (send.kind == ToneSide::Dqt)
            code = send.code;
        if (hear.kind == ToneSide::Dqt)
            rxCode = hear.code;
    }
    put(ChirpColumn::Tone, mode);
    put(ChirpColumn::RToneFreq, rTone);
    put(ChirpColumn::CToneFreq, cTone);
    put(ChirpColumn::DtcsCode, code);
    put(ChirpColumn::DtcsPolarity, std::string{send.polarity, hear.polarity});
    put(ChirpColumn::RxDtcsCode, rxCode);
    put(ChirpColumn::CrossMode, cross);
    put(ChirpColumn::Mode, plan.state.functions[FunctionSetting::WideNarrow] == 1 ? "NFM" : "FM");
    put(ChirpColumn::TStep, "12.50");
    put(ChirpColumn::Comment, plan.comments[static_cast<std::size_t>(c)]);
    return row;
}

} // namespace

std::string_view ChirpHeading(ChirpColumn column) {
    return kHeadings[static_cast<std::size_t>(column)];
}

std::optional<ChirpLayout> ChirpLayout::FromHeading(const CsvRecord& record) {
    ChirpLayout layout;
    for (std::size_t i = 0; i < record.fields.size(); ++i)
        for (std::size_t c = 0; c < kHeadings.size(); ++c)
            if (SameWord(Trimmed(record.fields[i]), kHeadings[c]) && !layout.index_[c])
                layout.index_[c] = i;
    for (const ChirpColumn needed : {ChirpColumn::Location, ChirpColumn::Frequency,
                                     ChirpColumn::Duplex, ChirpColumn::Offset, ChirpColumn::Tone})
        if (!layout.index_[static_cast<std::size_t>(needed)])
            return std::nullopt;
    return layout;
}

std::optional<std::string> ChirpLayout::cell(const CsvRecord& record, ChirpColumn column) const {
    const auto index = index_[static_cast<std::size_t>(column)];
    if (!index || *index >= record.fields.size())
        return std::nullopt;
    return record.fields[*index];
}

std::variant<ChirpChannel, std::string> ReadChirpRow(const CsvRecord& record,
                                                     const ChirpLayout& layout,
                                                     const ToneTable& tones, Language language) {
    return RowReader(record, layout, tones, language).read();
}

std::vector<std::string> ChirpColumnsNotStored(const ChirpLayout& layout,
                                               const std::vector<const CsvRecord*>& rows) {
    std::vector<std::string> columns;
    const auto filled = [&](ChirpColumn column) {
        return std::any_of(rows.begin(), rows.end(), [&](const CsvRecord* row) {
            return !Trimmed(layout.cell(*row, column).value_or("")).empty();
        });
    };
    for (const ChirpColumn column : kNotStored)
        if (filled(column))
            columns.emplace_back(ChirpHeading(column));
    // One wide/narrow setting serves every channel: modes that differ cannot be kept.
    std::set<std::string> modes;
    for (const CsvRecord* row : rows)
        if (const auto mode = layout.cell(*row, ChirpColumn::Mode); mode && !Trimmed(*mode).empty())
            modes.insert(std::string(Trimmed(*mode)));
    if (modes.size() > 1)
        columns.emplace_back(ChirpHeading(ChirpColumn::Mode));
    std::sort(columns.begin(), columns.end());
    return columns;
}

std::string ExportChirpCsv(const ChannelPlan& plan, const PlanContext& context) {
    constexpr std::string_view kLineEnd = "\r\n";
    std::vector<std::string> heading(kHeadings.begin(), kHeadings.end());
    std::string file = CsvLine(heading, Separator::Comma, kLineEnd);
    for (int c = 0; c < kChannelCount; ++c)
        if (plan.state.channels.inUse(c))
            file += CsvLine(ChirpRow(plan, c, context), Separator::Comma, kLineEnd);
    return file;
}

} // namespace hx
