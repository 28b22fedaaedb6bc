#include "gui/window/PlanCommands.h"

#include "core/exchange/ChannelRowCheck.h"
#include "core/exchange/ChirpCsv.h"
#include "core/exchange/PlanExport.h"
#include "core/exchange/PlanImport.h"
#include "core/files/SafeFile.h"
#include "core/image/ImageEncoder.h"
#include "gui/dialogs/ExportOptionsDialog.h"
#include "gui/dialogs/ImportPreviewDialog.h"
#include "gui/style/Colours.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLocale>
#include <algorithm>

namespace hx {
namespace {

bool SameChannel(const ChannelTable& a, const ChannelTable& b, int channel) {
    for (int f = 0; f < kFieldCount; ++f)
        if (a.value(channel, static_cast<Field>(f)) != b.value(channel, static_cast<Field>(f)))
            return false;
    return true;
}

void SwapChannels(ChannelPlan& plan, int a, int b) {
    auto& table = plan.state.channels;
    for (int f = 0; f < kFieldCount; ++f) {
        const auto field = static_cast<Field>(f);
        const double kept = table.value(a, field);
        table.setValue(a, field, table.value(b, field));
        table.setValue(b, field, kept);
    }
    std::swap(plan.comments[static_cast<std::size_t>(a)],
              plan.comments[static_cast<std::size_t>(b)]);
}

bool AllDigits(std::string_view text) {
    text = Trimmed(text);
    return !text.empty() && text.find_first_not_of("0123456789") == text.npos;
}

// The one value a pasted text holds, or nothing when it holds rows or columns. A
// number with a decimal comma, as a spreadsheet of such a language copies one cell,
// is one value too, not two columns.
std::optional<std::string> SingleValue(std::string_view text) {
    const CsvTable table = ReadCsv(text);
    const CsvRecord* only = nullptr;
    for (const CsvRecord& record : table.records) {
        if (std::ranges::all_of(record.fields, [](const auto& f) { return Trimmed(f).empty(); }))
            continue; // the line end after the value
        if (only)
            return std::nullopt;
        only = &record;
    }
    if (!only)
        return std::nullopt;
    const auto& cells = only->fields;
    if (cells.size() == 1)
        return cells.front();
    if (table.separator == Separator::Comma && cells.size() == 2 && AllDigits(cells[0]) &&
        AllDigits(cells[1]))
        return cells[0] + "," + cells[1];
    return std::nullopt;
}

// What a spreadsheet of this computer's settings reads without asking.
Separator SeparatorOfLocale() {
    return QLocale::system().decimalPoint() == "," ? Separator::Semicolon : Separator::Comma;
}

} // namespace

PlanCommands::PlanCommands(WindowState& state, UserDialogs& dialogs, Window window)
    : state_(state), dialogs_(dialogs), window_(std::move(window)) {}

ChannelPlan PlanCommands::currentPlan() const {
    ChannelPlan plan{window_.shown(), {}};
    for (int c = 0; c < kChannelCount; ++c)
        if (SameChannel(plan.state.channels, commented_, c))
            plan.comments[static_cast<std::size_t>(c)] = comments_[static_cast<std::size_t>(c)];
    return plan;
}

// Through the image, as a file is opened: the table, the editor, the function lists
// and the out-of-band marks come out as they would for the same data file.
void PlanCommands::apply(const ChannelPlan& plan, EditKind kind, int count) {
    const auto& m = state_.model;
    window_.show(EncodeImage({plan.state.channels, plan.state.functions, plan.state.subModel,
                              state_.modelCode, m.profile, m.tones}),
                 kind, count);
    comments_ = plan.comments;
    commented_ = window_.shown().channels;
}

bool PlanCommands::previewAccepted(const PlanImport& preview, bool paste,
                                   const std::string& source) {
    ImportPreviewDialog dialog(
        {paste ? ImportPreviewDialog::Kind::Paste : ImportPreviewDialog::Kind::Import, source,
         preview, state_.language, state_.colours.full},
        window_.owner);
    dialogs_.showModal(dialog);
    return dialog.result() == QDialog::Accepted;
}

void PlanCommands::exportPlan() {
    ExportOptionsDialog options(
        {separator_.value_or(SeparatorOfLocale()), chirp_, state_.language, state_.colours.full},
        window_.owner);
    dialogs_.showModal(options);
    if (options.result() != QDialog::Accepted)
        return;
    chirp_ = options.chirp();
    if (!chirp_)
        separator_ = options.separator();
    const bool text = !chirp_ && separator_ == Separator::Tab;
    const auto start =
        std::filesystem::path(state_.currentDataFile).replace_extension(text ? ".txt" : ".csv");
    const auto chosen = dialogs_.chooseDataFile(
        {start, true, text ? "Text (*.txt)" : "CSV (*.csv)", text ? "txt" : "csv"});
    if (!chosen)
        return;
    const ChannelPlan plan = currentPlan();
    const std::string file =
        chirp_ ? ExportChirpCsv(plan, context()) : ExportPlanCsv(plan, context(), {*separator_});
    if (const auto error = WriteFileSafely(*chosen, file))
        dialogs_.tell(title(), FillText(state_.text(Text::ExportNotWritten), {error->message}),
                      MessageIcon::Critical);
}

// A plan of another sub-model empties the table as choosing that sub-model does,
// so it asks the same question before anything is applied.
void PlanCommands::importPlan() {
    const auto chosen =
        dialogs_.chooseDataFile({std::filesystem::path(state_.currentDataFile).parent_path(), false,
                                 "CSV (*.csv *.txt *.tsv)"});
    if (!chosen)
        return;
    const auto unreadable = [&](const std::string& reason) {
        dialogs_.tell(title(),
                      FillText(state_.text(Text::ImportUnreadable), {chosen->string(), reason}),
                      MessageIcon::Critical);
    };
    const auto bytes = ReadRegularFile(*chosen, kLargestPlanText + 1);
    if (const auto* error = std::get_if<FileError>(&bytes))
        return unreadable(error->message);
    const ChannelPlan current = currentPlan();
    const auto read = ImportPlanCsv(std::get<std::string>(bytes), current, context());
    if (const auto* refused = std::get_if<UnreadablePlan>(&read))
        return unreadable(refused->reason);
    const auto& preview = std::get<PlanImport>(read);
    if (!previewAccepted(preview, false, chosen->string()))
        return;
    if (preview.plan.state.subModel != current.state.subModel &&
        !dialogs_.ask(title(), state_.text(Text::SubModelQuestion), MessageIcon::Exclamation))
        return;
    apply(preview.plan, EditKind::ImportPlan, static_cast<int>(preview.channelChanges.size()));
}

void PlanCommands::copyChannels() {
    QGuiApplication::clipboard()->setText(
        Q(ChannelsAsText(currentPlan(), window_.table.selectedChannels(), context())));
}

void PlanCommands::tellNothingPasted(const std::string& reasons) {
    dialogs_.tell(title(), FillText(state_.text(Text::NothingPasted), {reasons}),
                  MessageIcon::Exclamation);
}

void PlanCommands::pasteChannels() {
    const std::string text = QGuiApplication::clipboard()->text().toStdString();
    if (const auto value = SingleValue(text))
        return pasteValue(*value, window_.table.currentCell());
    const int first = window_.table.selectedChannels().front();
    const PlanImport pasted = PasteChannels(text, first, currentPlan(), context());
    if (!pasted.changesAnything()) {
        if (pasted.rejected.empty())
            return;
        std::string reasons;
        for (const RejectedRow& row : pasted.rejected)
            reasons += "\n" + DescribeRejection(row, state_.language);
        return tellNothingPasted(reasons.substr(1));
    }
    if (!pasted.rejected.empty() && !previewAccepted(pasted, true, state_.text(Text::PasteTitle)))
        return;
    apply(pasted.plan, EditKind::PasteChannels, static_cast<int>(pasted.channelChanges.size()));
    std::vector<int> changed;
    for (const ChannelChange& c : pasted.channelChanges)
        changed.push_back(c.channel);
    window_.table.select(changed);
    window_.selectChannel(changed.front());
}

// The value is the cell's field of a row that keeps the channel's other fields, so
// it passes the same checks as that field of a pasted or imported row.
void PlanCommands::pasteValue(const std::string& value, int cellIndex) {
    const int field = cellIndex / 1000 - 1;
    const int channel = cellIndex % 1000;
    if (field < 0 || field >= kRowFieldCount)
        return;
    RowCells cells;
    // A loop rather than cells[field]: GCC 12 warns falsely on that assignment.
    for (std::size_t f = 0; f < cells.size(); ++f)
        if (static_cast<int>(f) == field)
            cells[f] = value;
    ChannelPlan plan = currentPlan();
    const auto checked =
        CheckChannelRow(cells, ValuesOf(plan.state.channels, channel),
                        {state_.band(), state_.bandCheckOn, context().outOfBandMarking,
                         state_.model.tones, state_.language});
    if (const auto* reason = std::get_if<std::string>(&checked))
        return tellNothingPasted(*reason);
    StoreValues(plan.state.channels, channel, std::get<CheckedRow>(checked).values);
    apply(plan, EditKind::PasteChannels, 1);
    window_.table.select({channel});
    window_.selectChannel(channel);
}

void PlanCommands::moveChannels(int step) {
    std::vector<int> moving = window_.table.selectedChannels();
    if (moving.front() + step < 0 || moving.back() + step >= kChannelCount)
        return;
    if (step > 0)
        std::reverse(moving.begin(), moving.end()); // the neighbour has to make room first
    ChannelPlan plan = currentPlan();
    for (int& c : moving) {
        SwapChannels(plan, c, c + step);
        c += step;
    }
    const int current = state_.currentChannel;
    const bool currentMoves = std::ranges::find(moving, current + step) != moving.end();
    apply(plan, EditKind::MoveChannels, static_cast<int>(moving.size()));
    std::ranges::sort(moving);
    window_.table.select(moving);
    window_.selectChannel(currentMoves ? current + step : moving.front());
}

void PlanCommands::clearChannels() {
    ChannelPlan plan = currentPlan();
    const std::vector<int> clearing = window_.table.selectedChannels();
    for (const int c : clearing)
        plan.state.channels.clearChannel(c);
    apply(plan, EditKind::ClearChannels, static_cast<int>(clearing.size()));
}

} // namespace hx
