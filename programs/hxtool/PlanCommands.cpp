#include "core/exchange/ChirpCsv.h"
#include "core/exchange/PlanExport.h"
#include "core/exchange/PlanImport.h"
#include "core/image/DataFile.h"
#include "core/settings/UserSettings.h"
#include "programs/hxtool/Commands.h"
#include "programs/hxtool/ModelSession.h"
#include "programs/hxtool/PlugImage.h"

#include <algorithm>
#include <ostream>

namespace hxtool {

int RunExport(const Invocation& invocation) {
    const auto prepared = PrepareCommand(
        invocation, {.output = true, .language = true, .separator = true, .format = true},
        "export");
    if (const int* status = std::get_if<int>(&prepared))
        return *status;
    const auto& [options, session] = std::get<PreparedCommand>(prepared);
    const auto image = hx::ReadDataFile(options.files.front());
    if (const auto* error = std::get_if<hx::DataFileError>(&image)) {
        invocation.err << "hxtool export: " << error->message << "\n";
        return kExitFailure;
    }
    const hx::ChannelPlan plan{
        DecodeAfterStart(std::get<hx::MemoryImage>(image), session.model).state, {}};
    if (options.chirp && options.separator && *options.separator != hx::Separator::Comma) {
        invocation.err << "hxtool export: CHIRP's CSV is separated by commas\n";
        return kExitUsage;
    }
    const hx::PlanContext context{session.model, options.language.value_or(hx::Language::English)};
    const std::string csv =
        options.chirp
            ? hx::ExportChirpCsv(plan, context)
            : hx::ExportPlanCsv(plan, context, {options.separator.value_or(hx::Separator::Comma)});
    if (const auto error = hx::WriteFileSafely(*options.output, csv)) {
        invocation.err << "hxtool export: " << error->message << "\n";
        return kExitFailure;
    }
    return kExitSuccess;
}

namespace {

// The editor's band rules as the window has them for this model series: its band
// check, and whether an out-of-band frequency is marked or refused.
hx::PlanContext WindowRules(const ModelSession& session, hx::Language language) {
    const hx::ProfileFile profile(session.settingDir /
                                  hx::ModelFileNamesFor(session.model.modelCode).profile);
    const auto settings = hx::ReadSettings(profile.load()).value_or(hx::StoredSettings{});
    return {session.model, language, settings.bandCheckOn, settings.outOfBandMarking};
}

} // namespace

int RunImport(const Invocation& invocation) {
    const auto prepared =
        PrepareCommand(invocation, {.output = true, .language = true, .skipBad = true}, "import");
    if (const int* status = std::get_if<int>(&prepared))
        return *status;
    const auto& [options, session] = std::get<PreparedCommand>(prepared);
    const std::string input = options.files.front();
    const auto bytes = hx::ReadRegularFile(input, hx::kLargestPlanText + 1);
    if (const auto* error = std::get_if<hx::FileError>(&bytes)) {
        invocation.err << "hxtool import: " << error->message << "\n";
        return kExitFailure;
    }
    // Into what the window holds after a start: the plan's rows are all there is.
    const hx::Language language = options.language.value_or(hx::Language::English);
    const auto imported =
        hx::ImportPlanCsv(std::get<std::string>(bytes), {hx::StartState(session.model.profile), {}},
                          WindowRules(session, language));
    if (const auto* unreadable = std::get_if<hx::UnreadablePlan>(&imported)) {
        invocation.err << "hxtool import: " << input << ": " << unreadable->reason << "\n";
        return kExitFailure;
    }
    const auto& result = std::get<hx::PlanImport>(imported);
    // Refusals and warnings in the order of the file's lines.
    std::vector<std::pair<int, std::string>> said;
    for (const hx::RejectedRow& row : result.rejected)
        said.emplace_back(row.line, hx::DescribeRejection(row, language));
    for (const hx::RowWarning& warning : result.warnings)
        said.emplace_back(warning.line, "warning: " + hx::DescribeWarning(warning, language));
    std::ranges::stable_sort(said, {}, &std::pair<int, std::string>::first);
    for (const auto& [line, text] : said)
        invocation.err << "hxtool import: " << input << ": " << text << "\n";
    for (const std::string& note : result.notes)
        invocation.err << "hxtool import: " << input << ": " << note << "\n";
    if (result.usedRows == 0) {
        invocation.err << "hxtool import: nothing written; no row of " << input
                       << " could be used\n";
        return kExitFailure;
    }
    if (!result.rejected.empty() && !options.skipBad) {
        invocation.err << "hxtool import: nothing written; --skip-bad writes the other rows\n";
        return kExitFailure;
    }
    const auto written =
        hx::WriteDataFile(*options.output, EncodeState(result.plan.state, session.model));
    if (const auto* error = std::get_if<hx::DataFileError>(&written)) {
        invocation.err << "hxtool import: " << error->message << "\n";
        return kExitFailure;
    }
    return kExitSuccess;
}

} // namespace hxtool
