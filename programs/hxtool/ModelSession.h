#pragma once

#include "core/model/ModelFiles.h"
#include "core/settings/UserSettings.h"
#include "programs/hxtool/Commands.h"
#include "programs/hxtool/Options.h"

#include <filesystem>
#include <string>
#include <variant>

namespace hxtool {

// The model series a command works with, loaded from the settings folder:
// `--settings DIR` or the Setting folder of the application folder, and `--model` or the
// series the settings file names.
struct ModelSession {
    std::filesystem::path settingDir;
    hx::ModelData model;
};

// A command's options and model, once both were read.
struct PreparedCommand {
    Options options;
    ModelSession session;
};
// Parses the options, refuses an output that is one of the inputs and opens the model
// session; on failure reports it on `invocation.err` as "hxtool NAME: ..." and gives the
// exit status instead.
std::variant<PreparedCommand, int> PrepareCommand(const Invocation& invocation,
                                                  const OptionSet& accepted, const char* name);

// How long a command's link waits: --patience and --settle, else the model series'
// settings.
hx::LinkWaits LinkWaitsFor(const PreparedCommand& command);

// Why a model session could not be opened, and the exit status that says so.
struct SessionError {
    std::string message;
    int status;
};

// The folder given with --settings, when it is no folder: a usage error, as a typo is.
std::optional<SessionError> MissingFolder(const std::filesystem::path& folder);

// A settings folder that is not there, or lacks the files of the model series, is an
// error: built-in defaults would give a different image without a word.
std::variant<ModelSession, SessionError> OpenModelSession(const Options& options,
                                                          const std::filesystem::path& appFolder,
                                                          std::optional<int> fallbackModel = {});

} // namespace hxtool
