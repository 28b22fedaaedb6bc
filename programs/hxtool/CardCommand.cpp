#include "core/image/DataFile.h"
#include "core/settings/UserSettings.h"
#include "gui/card/CardOutput.h"
#include "programs/hxtool/Commands.h"
#include "programs/hxtool/ModelSession.h"
#include "programs/hxtool/PlugImage.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <ostream>

namespace hxtool {
namespace {

// Takes `--paper a4|letter` out of the words, which leaves the options all commands share.
std::variant<hx::Paper, UsageError> TakePaper(std::vector<std::string>& args) {
    hx::Paper paper = hx::PaperOfLocale();
    for (auto word = args.begin(); word != args.end();) {
        if (*word != "--paper") {
            ++word;
            continue;
        }
        if (word + 1 == args.end())
            return UsageError{"--paper needs a value"};
        const std::string& value = *(word + 1);
        if (value != "a4" && value != "letter")
            return UsageError{"--paper must be a4 or letter, not '" + value + "'"};
        paper = value == "a4" ? hx::Paper::A4 : hx::Paper::Letter;
        word = args.erase(word, word + 2);
    }
    return paper;
}

// The language the window shows, from the profile of the session's model series.
hx::Language WindowLanguage(const ModelSession& session) {
    const hx::ProfileFile profile(session.settingDir /
                                  hx::ModelFileNamesFor(session.model.modelCode).profile);
    return hx::ReadSettings(profile.load()).value_or(hx::StoredSettings{}).language;
}

// Fonts and the PDF writer need a Qt application. The card is drawn off screen, so it
// needs no display and leaves a display that is there alone. Outside a desktop session
// Qt would warn that there is no runtime folder (XDG_RUNTIME_DIR): the application gets
// a private one for its life instead.
class OffscreenApplication {
public:
    OffscreenApplication() {
        if (QCoreApplication::instance())
            return;
        if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) {
            runtime_.emplace();
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_->path()));
        }
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    ~OffscreenApplication() {
        app_.reset();
        if (runtime_)
            qunsetenv("XDG_RUNTIME_DIR");
    }
    OffscreenApplication(const OffscreenApplication&) = delete;
    OffscreenApplication& operator=(const OffscreenApplication&) = delete;

private:
    std::optional<QTemporaryDir> runtime_;
    char name_[7] = "hxtool";
    char platformOption_[10] = "-platform";
    char platform_[10] = "offscreen";
    char* argv_[4] = {name_, platformOption_, platform_, nullptr};
    int argc_ = 3;
    std::unique_ptr<QGuiApplication> app_;
};

} // namespace

int RunCard(const Invocation& invocation) {
    auto args = invocation.args;
    const auto paper = TakePaper(args);
    if (const auto* usage = std::get_if<UsageError>(&paper)) {
        invocation.err << "hxtool card: " << usage->message << "\n";
        return kExitUsage;
    }
    const Invocation rest{args, invocation.appFolder, invocation.out, invocation.err,
                          invocation.system};
    const auto prepared = PrepareCommand(rest, {.output = true, .language = true}, "card");
    if (const int* status = std::get_if<int>(&prepared))
        return *status;
    const auto& [options, session] = std::get<PreparedCommand>(prepared);
    const auto image = hx::ReadDataFile(options.files.front());
    if (const auto* failure = std::get_if<hx::DataFileError>(&image)) {
        invocation.err << "hxtool card: " << failure->message << "\n";
        return kExitFailure;
    }
    const auto decoded = DecodeAfterStart(std::get<hx::MemoryImage>(image), session.model);
    const auto language = options.language.value_or(WindowLanguage(session));
    const OffscreenApplication app;
    const auto card = hx::MakeChannelCard(decoded, session.model, language);
    if (const auto failure = hx::WriteCardPdf(card, *options.output, std::get<hx::Paper>(paper))) {
        invocation.err << "hxtool card: " << failure->message << "\n";
        return kExitFailure;
    }
    return kExitSuccess;
}

} // namespace hxtool
