#include "core/link/CableDoctor.h"
#include "core/model/ModelFiles.h"
#include "core/settings/UserSettings.h"
#include "core/texts/Texts.h"
#include "programs/hxtool/Commands.h"
#include "programs/hxtool/ModelSession.h"

#include <ostream>

namespace hxtool {
namespace {

// The port and language the window would use: section Setting of the profile of
// the model series the settings file names, or the defaults before a first start.
hx::StoredSettings ReadWindowChoices(const std::filesystem::path& settingDir) {
    const int code = hx::ReadModelCode(hx::ProfileFile(settingDir / hx::kSettingsFileName))
                         .value_or(hx::kDefaultModelCode);
    const hx::ProfileFile profile(settingDir /
                                  hx::ModelFileNamesFor(hx::ModelSeries(code)).profile);
    return hx::ReadSettings(profile.load()).value_or(hx::StoredSettings{});
}

std::string_view KindWord(hx::FindingKind kind, hx::Language language) {
    const hx::Text word = kind == hx::FindingKind::Ok        ? hx::Text::KindOk
                          : kind == hx::FindingKind::Problem ? hx::Text::KindProblem
                                                             : hx::Text::KindNote;
    return hx::TextOf(word).in(language);
}

} // namespace

int RunDoctor(const Invocation& invocation) {
    const auto parsed = ParseOptions(
        invocation.args,
        {.port = true, .json = false, .files = 0, .language = true, .portRequired = false});
    if (const auto* usage = std::get_if<UsageError>(&parsed)) {
        invocation.err << "hxtool doctor: " << usage->message << "\n";
        return kExitUsage;
    }
    const Options& options = std::get<Options>(parsed);
    if (options.settings) {
        if (const auto missing = MissingFolder(*options.settings)) {
            invocation.err << "hxtool doctor: " << missing->message << "\n";
            return missing->status;
        }
    }
    const auto settingDir = options.settings.value_or(invocation.appFolder / "Setting");
    const hx::StoredSettings window = ReadWindowChoices(settingDir);
    const std::string port = options.port.value_or("COM" + std::to_string(window.portNumber));
    const hx::Language language = options.language.value_or(window.language);
    const auto text = [language](hx::Text t) { return hx::TextOf(t).in(language); };

    const hx::CableReport report = hx::CheckCable(invocation.system, settingDir, port, language);
    std::ostream& out = invocation.out;
    out << text(hx::Text::SerialDevicesHeading) << "\n";
    if (report.devices.empty())
        out << "  " << text(hx::Text::NoSerialDevice) << "\n";
    for (const auto& listed : report.devices) {
        const std::string number = listed.portNumber ? "COM" + std::to_string(listed.portNumber)
                                                     : std::string(text(hx::Text::NoPortNumber));
        out << "  " << number << "  " << hx::DescribeDevice(listed.device) << "\n";
    }
    out << "\n" << hx::FillText(text(hx::Text::FindingsHeading), {port}) << "\n";
    for (const hx::Finding& finding : report.findings) {
        out << "  [" << KindWord(finding.kind, language) << "] " << finding.text << "\n";
        if (!finding.fix.empty())
            out << "      -> " << finding.fix << "\n";
    }
    return report.foundProblem() ? kExitFailure : kExitSuccess;
}

} // namespace hxtool
