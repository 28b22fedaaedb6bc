#include "gui/window/CableFinder.h"

#include "core/files/ProfileFile.h"
#include "core/link/PortNames.h"
#include "core/texts/Texts.h"

#include <algorithm>

namespace hx {
namespace {

bool Names(const std::string& named, const SerialDevice& device) {
    return named == device.device || (!device.byId.empty() && named == device.byId);
}

// The first number whose device is not there now: taking it hides no cable.
int FreePortNumber(const std::filesystem::path& settingDir,
                   const std::vector<SerialDevice>& present) {
    for (int n = 1; n <= kPortCount; ++n) {
        const std::string named = DeviceForPort(n, settingDir);
        if (std::none_of(present.begin(), present.end(),
                         [&](const SerialDevice& d) { return Names(named, d); }))
            return n;
    }
    return kPortCount;
}

} // namespace

std::optional<int> FindCable(UserDialogs& dialogs, Language language,
                             const std::filesystem::path& settingDir,
                             const DeviceLister& listDevices) {
    const auto text = [language](Text t) { return std::string(TextOf(t).in(language)); };
    const std::string title = text(Text::MessageTitle);
    if (!dialogs.ask(title, text(Text::UnplugQuestion), MessageIcon::Question))
        return std::nullopt;
    const std::vector<SerialDevice> before = listDevices();
    if (!dialogs.ask(title, text(Text::PlugQuestion), MessageIcon::Question))
        return std::nullopt;
    const std::vector<SerialDevice> after = listDevices();

    std::vector<SerialDevice> appeared;
    std::copy_if(
        after.begin(), after.end(), std::back_inserter(appeared), [&](const SerialDevice& d) {
            return std::none_of(before.begin(), before.end(),
                                [&](const SerialDevice& b) { return b.device == d.device; });
        });
    if (appeared.empty()) {
        dialogs.tell(title, text(Text::NoNewDevice), MessageIcon::Exclamation);
        return std::nullopt;
    }
    if (appeared.size() > 1) {
        std::string list;
        for (const SerialDevice& d : appeared)
            list += DescribeDevice(d) + "\n";
        list.pop_back();
        dialogs.tell(title, FillText(text(Text::SeveralNewDevices), {list}),
                     MessageIcon::Exclamation);
        return std::nullopt;
    }
    const SerialDevice& cable = appeared.front();
    if (const auto number = PortNumberNaming(cable, settingDir))
        return number;

    // The by-id name stays the same whichever order adapters are plugged in.
    const int number = FreePortNumber(settingDir, after);
    const std::string key = "COM" + std::to_string(number);
    const std::string device = cable.byId.empty() ? cable.device : cable.byId;
    const ProfileFile ports(settingDir / "Ports.ini");
    if (!dialogs.ask(title,
                     FillText(text(Text::AddPortQuestion),
                              {cable.device, ports.path().string(), key + "=" + device}),
                     MessageIcon::Question))
        return std::nullopt;
    if (!ports.write("Ports", key, device)) {
        dialogs.tell(title, FillText(text(Text::PortsFileNotWritten), {ports.path().string()}),
                     MessageIcon::Critical);
        return std::nullopt;
    }
    return number;
}

} // namespace hx
