#include "core/image/DataFile.h"
#include "programs/hxtool/CodePlugJson.h"
#include "programs/hxtool/Commands.h"
#include "programs/hxtool/ModelSession.h"
#include "programs/hxtool/PlugImage.h"

#include <filesystem>
#include <iomanip>
#include <ostream>

namespace hxtool {
namespace {

template <typename Result> bool Failed(const Result& result, std::ostream& err, const char* what) {
    if (const auto* usage = std::get_if<UsageError>(&result)) {
        err << "hxtool " << what << ": " << usage->message << "\n";
        return true;
    }
    return false;
}

void PrintTable(std::ostream& out, const nlohmann::ordered_json& document) {
    out << "Model HX" << document["model"].get<int>() << ", sub-model "
        << document["subModel"].get<int>() << " (" << document["band"].get<std::string>() << ")\n";
    out << "Functions:";
    for (const auto& [name, position] : document["functions"].items())
        out << " " << name << " " << position.get<int>();
    out << "\n\n";
    const char* headings[] = {"Rx MHz", "Tx MHz", "Rx tone", "Tx tone", "BCL", "Shift"};
    const int widths[] = {11, 11, 9, 9, 5, 5};
    out << std::left << std::setw(4) << "Ch";
    for (int f = 0; f < 6; ++f)
        out << std::setw(widths[f]) << headings[f];
    out << "\n";
    for (const auto& channel : document["channels"]) {
        out << std::setw(4) << channel["channel"].get<int>();
        if (channel["RxFrequency"] == -1) {
            out << "not in use\n";
            continue;
        }
        int f = 0;
        for (const auto& cell : channel["cells"])
            out << std::setw(widths[f++]) << cell.get<std::string>();
        out << "\n";
    }
}

} // namespace

int RunDecode(const Invocation& invocation) {
    const auto prepared = PrepareCommand(invocation, {.json = true}, "decode");
    if (const int* status = std::get_if<int>(&prepared))
        return *status;
    const auto& [options, session] = std::get<PreparedCommand>(prepared);
    const auto& model = session.model;
    const auto image = hx::ReadDataFile(options.files.front());
    if (const auto* error = std::get_if<hx::DataFileError>(&image)) {
        invocation.err << "hxtool decode: " << error->message << "\n";
        return kExitFailure;
    }
    const auto document =
        DecodedToJson(DecodeAfterStart(std::get<hx::MemoryImage>(image), model), model);
    if (options.json)
        invocation.out << document.dump() << "\n";
    else
        PrintTable(invocation.out, document);
    return kExitSuccess;
}

int RunEncode(const Invocation& invocation) {
    const auto parsed = ParseOptions(invocation.args, {.output = true});
    if (Failed(parsed, invocation.err, "encode"))
        return kExitUsage;
    const auto& options = std::get<Options>(parsed);

    const std::filesystem::path input = options.files.front();
    if (const auto refusal = TargetIsAnInput(options, "-o", *options.output)) {
        invocation.err << "hxtool encode: " << *refusal << "\n";
        return kExitFailure;
    }
    const auto text = hx::ReadRegularFile(input);
    if (const auto* error = std::get_if<hx::FileError>(&text)) {
        invocation.err << "hxtool encode: " << error->message << "\n";
        return kExitFailure;
    }
    const auto json = nlohmann::json::parse(std::get<std::string>(text), nullptr, false);
    if (json.is_discarded()) {
        invocation.err << "hxtool encode: " << input.string() << ": not valid JSON\n";
        return kExitFailure;
    }
    const auto plug = PlugFromJson(json);
    if (const auto* error = std::get_if<std::string>(&plug)) {
        invocation.err << "hxtool encode: " << input.string() << ": " << *error << "\n";
        return kExitFailure;
    }
    const auto& document = std::get<PlugDocument>(plug);
    const auto session = OpenModelSession(options, invocation.appFolder, document.model);
    if (const auto* error = std::get_if<SessionError>(&session)) {
        invocation.err << "hxtool encode: " << error->message << "\n";
        return error->status;
    }
    const auto& model = std::get<ModelSession>(session).model;
    if (const auto misfit = CheckAgainstModel(document, model)) {
        invocation.err << "hxtool encode: " << input.string() << ": " << *misfit << "\n";
        return kExitFailure;
    }
    const hx::DecoderState state{document.subModel, document.functions, document.channels};
    const auto written = hx::WriteDataFile(*options.output, EncodeState(state, model));
    if (const auto* error = std::get_if<hx::DataFileError>(&written)) {
        invocation.err << "hxtool encode: " << error->message << "\n";
        return kExitFailure;
    }
    return kExitSuccess;
}

} // namespace hxtool
