#include "core/link/PortNames.h"

#include "core/files/ProfileFile.h"
#include "core/platform/Ports.h"

#include <algorithm>
#include <cctype>

namespace hx {
namespace {

std::string DeviceIn(const ProfileContents& ports, int number) {
    if (number < 1 || number > kPortCount)
        return {};
    return ports.read("Ports", "COM" + std::to_string(number), platform::BuiltInPortDevice(number),
                      260);
}

ProfileContents LoadPorts(const std::filesystem::path& settingDir) {
    return ProfileFile(settingDir / "Ports.ini").load();
}

} // namespace

std::string DeviceForPort(int number, const std::filesystem::path& settingDir) {
    return DeviceIn(LoadPorts(settingDir), number);
}

std::vector<PortChoice> ListPortChoices(const std::filesystem::path& settingDir) {
    const ProfileContents ports = LoadPorts(settingDir);
    std::vector<PortChoice> choices;
    for (int n = 1; n <= kPortCount; ++n) {
        std::string device = DeviceIn(ports, n);
        const bool present = platform::PortDevicePresent(device);
        choices.push_back({n, std::move(device), present});
    }
    return choices;
}

std::optional<int> PortNumberOf(const std::string& name) {
    if (name.size() < 4 || std::toupper(static_cast<unsigned char>(name[0])) != 'C' ||
        std::toupper(static_cast<unsigned char>(name[1])) != 'O' ||
        std::toupper(static_cast<unsigned char>(name[2])) != 'M')
        return std::nullopt;
    int n = 0;
    for (std::size_t i = 3; i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i])))
            return std::nullopt;
        n = std::min(n * 10 + (name[i] - '0'), 10 * kPortCount); // stays out of range
    }
    return n;
}

std::variant<std::string, PortNameError>
DeviceForPortName(const std::string& name, const std::filesystem::path& settingDir) {
    const auto number = PortNumberOf(name);
    if (!name.empty() && !number)
        return name;
    std::string device = number ? DeviceForPort(*number, settingDir) : "";
    if (!device.empty())
        return device;
    std::string present;
    for (const PortChoice& choice : ListPortChoices(settingDir))
        if (choice.present)
            present += (present.empty() ? "" : ", ") + ("COM" + std::to_string(choice.number));
    std::string message = name.empty() ? "no port named" : name + " names no device";
    message += "; the ports are COM1 to COM" + std::to_string(kPortCount) + " (" +
               (present.empty() ? "none of them is present now" : "present now: " + present) +
               "), or give a device path";
    return PortNameError{message};
}

} // namespace hx
