#include "tools/hxtool/ModelSession.h"

#include <ostream>

namespace hxtool {

std::variant<ModelSession, std::string> OpenModelSession(const Options& options,
                                                         const std::filesystem::path& executableDir,
                                                         std::optional<int> fallbackModel) {
    ModelSession session;
    session.settingDir = options.settings ? *options.settings : executableDir / "Setting";
    std::optional<int> code = options.model ? options.model : fallbackModel;
    if (!code) {
        const hx::ProfileFile settingsFile(session.settingDir / hx::kSettingsFileName);
        code = hx::ReadModelCode(settingsFile);
        if (!code)
            return settingsFile.path().string() + ": Type is not a model number";
    }
    try {
        session.model = hx::LoadModelData(session.settingDir, *code);
    } catch (const hx::ProfileError& error) {
        const auto profile = session.settingDir / hx::ModelFileNamesFor(*code).profile;
        return profile.string() + ": " + error.what();
    }
    return session;
}

std::variant<PreparedCommand, int> PrepareCommand(const Invocation& invocation,
                                                  const OptionSet& accepted, const char* name) {
    const auto parsed = ParseOptions(invocation.args, accepted);
    if (const auto* usage = std::get_if<UsageError>(&parsed)) {
        invocation.err << "hxtool " << name << ": " << usage->message << "\n";
        return kExitUsage;
    }
    const auto& options = std::get<Options>(parsed);
    auto session = OpenModelSession(options, invocation.executableDir);
    if (const auto* error = std::get_if<std::string>(&session)) {
        invocation.err << "hxtool " << name << ": " << *error << "\n";
        return kExitFailure;
    }
    return PreparedCommand{options, std::get<ModelSession>(std::move(session))};
}

} // namespace hxtool
