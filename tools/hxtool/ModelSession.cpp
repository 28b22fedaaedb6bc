#include "tools/hxtool/ModelSession.h"

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

} // namespace hxtool
