#include "gui/window/CableFinder.h"

#include "core/files/ProfileFile.h"
#include "core/link/PortNames.h"
#include "core/texts/Texts.h"

#include <algorithm>

namespace hx {
namespace {

// The first number whose device is not there now: taking it hides no cable.
int FreePortNumber(const std::vector<PortChoice>& choices,
                   const std::vector<SerialDevice>& present) {
    for (const PortChoice& choice : choices)
        if (std::none_of(present.begin(), present.end(),
                         [&](const SerialDevice& d) { return NamesDevice(choice.device, d); }))
            return choice.number;
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
    const std::vector<PortChoice> choices = ListPortChoices(settingDir);
    if (const auto number = PortNumberNaming(cable, choices))
        return number;

    // The by-id name stays the same whichever order adapters are plugged in.
    const int number = FreePortNumber(choices, after);
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
