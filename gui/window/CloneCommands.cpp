#include "gui/window/CloneCommands.h"

#include "adapters/serial/QtStationThread.h"
#include "core/image/DataFile.h"
#include "core/image/ImageDecoder.h"
#include "core/image/ImageEncoder.h"
#include "core/link/PortNames.h"
#include "core/platform/Clock.h"
#include "core/production/Backup.h"
#include "gui/ondemand/OnDemand.h"

#include <chrono>
#include <ctime>

namespace hx {
namespace {

// Where a day's clone log goes unless the user names another: Data/Logs of the
// application folder, one file a day, which each run of the day adds to.
std::filesystem::path DefaultLogFile(const std::filesystem::path& appFolder,
                                     std::chrono::system_clock::time_point now) {
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    const std::tm local = platform::LocalTime(t);
    char name[32];
    std::strftime(name, sizeof name, "clone-%Y%m%d.csv", &local);
    return appFolder / "Data" / "Logs" / name;
}

} // namespace

CloneCommands::CloneCommands(const WindowState& state, UserDialogs& dialogs, QWidget* owner,
                             PortOpener openPort)
    : state_(state), dialogs_(dialogs), owner_(owner), openPort_(std::move(openPort)) {}

void CloneCommands::showCloneDialog() {
    const std::filesystem::path settingDir = state_.settingDir();
    CloneDialog dialog({state_.language,
                        state_.colours.full,
                        {state_.currentDataFile,
                         {state_.portNumber},
                         false,
                         false,
                         DefaultLogFile(state_.appFolder, std::chrono::system_clock::now())},
                        ListPortChoices(settingDir),
                        [this](const CloneDialog::Choices& choices) { return prepare(choices); },
                        [openPort = openPort_, settingDir](const std::string& name) {
                            const auto device = DeviceForPortName(name, settingDir);
                            if (const auto* error = std::get_if<PortNameError>(&device))
                                throw PortError(error->message);
                            return openPort(std::get<std::string>(device));
                        },
                        QtStationThreads()},
                       dialogs_, owner_);
    dialogs_.showModal(dialog);
}

// Every radio gets what the window would send after opening the master file.
std::variant<CloneSetup, std::string>
CloneCommands::prepare(const CloneDialog::Choices& choices) const {
    const auto read = ReadDataFile(choices.master);
    if (const auto* error = std::get_if<DataFileError>(&read))
        return FillText(state_.text(Text::CloneMasterUnreadable),
                        {choices.master.string() + "\n" + error->message});
    const OnDemand* onDemand = LoadOnDemand();
    if (!onDemand)
        return FillText(state_.text(Text::CloneModuleMissing), {OnDemandFileName()});
    const ModelData& model = state_.model;
    const auto& file = std::get<MemoryImage>(read);
    const DecoderState opened =
        DecodeImage(file, {model.modelCode, model.profile, model.tones}, StartState(model.profile))
            .state;
    CloneSetup setup{EncodeImage({opened.channels, opened.functions, opened.subModel,
                                  model.modelCode, model.profile, model.tones}),
                     model,
                     choices.master.filename().string(),
                     onDemand->radioBytesDigest(file),
                     {choices.verify}};
    if (choices.backup)
        setup.options.backupFolder = DefaultBackupFolder(state_.appFolder);
    const LinkWaits waits = ReadLinkWaits(SettingsStore(ProfileFile(state_.profileFile())).load());
    setup.options.patience = waits.patience;
    setup.options.settle = waits.settle;
    if (!choices.logFile.empty()) {
        std::error_code ignored; // a folder that cannot be made shows as the log's error
        std::filesystem::create_directories(choices.logFile.parent_path(), ignored);
        setup.logFile = choices.logFile;
    }
    setup.language = state_.language;
    return setup;
}

} // namespace hx
