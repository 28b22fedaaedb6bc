#include "core/exchange/PlanExport.h"
#include "core/exchange/PlanImport.h"
#include "core/files/DataFile.h"
#include "programs/hxtool/Commands.h"
#include "programs/hxtool/ModelSession.h"
#include "programs/hxtool/PlugImage.h"

#include <ostream>

namespace hxtool {

int RunExport(const Invocation& invocation) {
    const auto prepared =
        PrepareCommand(invocation, {.output = true, .language = true, .separator = true}, "export");
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
    const std::string csv =
        hx::ExportPlanCsv(plan, {session.model, options.language.value_or(hx::Language::English)},
                          {options.separator.value_or(hx::Separator::Comma)});
    if (const auto error = hx::WriteFileSafely(*options.output, csv)) {
        invocation.err << "hxtool export: " << error->message << "\n";
        return kExitFailure;
    }
    return kExitSuccess;
}

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
                          {session.model, language});
    if (const auto* unreadable = std::get_if<hx::UnreadablePlan>(&imported)) {
        invocation.err << "hxtool import: " << input << ": " << unreadable->reason << "\n";
        return kExitFailure;
    }
    const auto& result = std::get<hx::PlanImport>(imported);
    for (const hx::RejectedRow& row : result.rejected)
        invocation.err << "hxtool import: " << input << ": " << hx::DescribeRejection(row, language)
                       << "\n";
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
