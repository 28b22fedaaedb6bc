#include "programs/hxtool/ModelSession.h"

#include <ostream>
#include <system_error>
#include <utility>

namespace hxtool {

namespace {

// The first file of the series that the folder lacks.
std::optional<SessionError> MissingModelFile(const std::filesystem::path& settingDir, int code) {
    const int series = hx::ModelSeries(code);
    const auto names = hx::ModelFileNamesFor(series);
    const std::pair<const std::string&, const char*> files[] = {{names.profile, "profile"},
                                                                {names.tones, "tone table"}};
    for (const auto& [name, what] : files) {
        const auto path = settingDir / name;
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error))
            return SessionError{path.string() + ": the " + what + " of model " +
                                    std::to_string(series) + " is missing",
                                kExitFailure};
    }
    return std::nullopt;
}

} // namespace

std::optional<SessionError> MissingFolder(const std::filesystem::path& folder) {
    std::error_code error;
    if (std::filesystem::is_directory(folder, error))
        return std::nullopt;
    const bool exists = std::filesystem::exists(folder, error);
    return SessionError{"--settings " + folder.string() +
                            (exists ? ": is not a folder" : ": no such folder"),
                        kExitUsage};
}

std::variant<ModelSession, SessionError> OpenModelSession(const Options& options,
                                                          const std::filesystem::path& appFolder,
                                                          std::optional<int> fallbackModel) {
    if (options.settings) {
        if (auto error = MissingFolder(*options.settings))
            return *std::move(error);
    }
    ModelSession session;
    session.settingDir = options.settings ? *options.settings : appFolder / "Setting";
    std::optional<int> code = options.model ? options.model : fallbackModel;
    if (!code) {
        const hx::ProfileFile settingsFile(session.settingDir / hx::kSettingsFileName);
        code = hx::ReadModelCode(settingsFile);
        if (!code)
            return SessionError{settingsFile.path().string() + ": Type is not a model number",
                                kExitFailure};
    }
    if (auto error = MissingModelFile(session.settingDir, *code))
        return *std::move(error);
    try {
        session.model = hx::LoadModelData(session.settingDir, *code);
    } catch (const hx::ProfileError& error) {
        const auto profile = session.settingDir / hx::ModelFileNamesFor(*code).profile;
        return SessionError{profile.string() + ": " + error.what(), kExitFailure};
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
    if (options.output) {
        if (const auto refusal = TargetIsAnInput(options, "-o", *options.output)) {
            invocation.err << "hxtool " << name << ": " << *refusal << "\n";
            return kExitFailure;
        }
    }
    auto session = OpenModelSession(options, invocation.appFolder);
    if (const auto* error = std::get_if<SessionError>(&session)) {
        invocation.err << "hxtool " << name << ": " << error->message << "\n";
        return error->status;
    }
    return PreparedCommand{options, std::get<ModelSession>(std::move(session))};
}

hx::LinkWaits LinkWaitsFor(const PreparedCommand& command) {
    const auto& [options, session] = command;
    const hx::ProfileFile profile(session.settingDir /
                                  hx::ModelFileNamesFor(session.model.modelCode).profile);
    hx::LinkWaits waits = hx::ReadLinkWaits(profile.load());
    if (options.patience)
        waits.patience = std::chrono::milliseconds(*options.patience);
    if (options.settle)
        waits.settle = std::chrono::milliseconds(*options.settle);
    return waits;
}

} // namespace hxtool
