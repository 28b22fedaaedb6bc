#include "core/link/SerialDevices.h"

#include "core/files/SafeFile.h"
#include "core/platform/Ports.h"

#include <algorithm>
#include <charconv>

namespace hx {
namespace {

namespace fs = std::filesystem;

// The tail of a symbolic link's target: the driver's name for a "driver" link.
std::string LinkName(const fs::path& link) {
    std::error_code error;
    return fs::read_symlink(link, error).filename().string();
}

// The board's 8250 driver shows every port it could have; "type" 0 says no chip
// answered there.
bool PlaceholderPort(const fs::path& ttyDir) {
    return ttyDir.filename().string().starts_with("ttyS") && FirstLineOf(ttyDir / "type") == "0";
}

// The folders from `device` up to, but not including, `sys`; none when `device` is
// not below it.
std::vector<fs::path> FoldersUpTo(const fs::path& device, const fs::path& sys) {
    std::vector<fs::path> folders;
    if (sys.empty())
        return folders;
    for (fs::path at = device;
         at != sys && at != at.parent_path() && at.string().starts_with(sys.string() + "/");
         at = at.parent_path())
        folders.push_back(at);
    return folders;
}

// The USB device the tty hangs off: the nearest folder up from the tty's device that
// has a vendor id, but never above the sysfs tree.
fs::path UsbDeviceOf(const fs::path& device, const fs::path& sys) {
    for (const fs::path& at : FoldersUpTo(device, sys)) {
        std::error_code error;
        if (fs::exists(at / "idVendor", error))
            return at;
    }
    return {};
}

// The driver of the device, passing over the serial-base layer ("port", "ctrl") that
// newer kernels put between a board's port and its real driver.
std::string DriverOf(const fs::path& device, const fs::path& sys) {
    for (const fs::path& at : FoldersUpTo(device, sys)) {
        std::error_code error;
        const fs::path driver = fs::read_symlink(at / "driver", error);
        if (!error && driver.parent_path().parent_path().filename() != "serial-base")
            return driver.filename().string();
    }
    return {};
}

std::string ByIdName(const fs::path& root, const std::string& name) {
    const fs::path folder = root / "dev/serial/by-id";
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (LinkName(it->path()) == name)
            return "/dev/serial/by-id/" + it->path().filename().string();
    return {};
}

std::optional<SerialDevice> ReadDevice(const fs::path& root, const fs::path& ttyDir) {
    std::error_code sysError, deviceError;
    const fs::path sys = fs::canonical(root / "sys", sysError);
    const fs::path device = fs::canonical(ttyDir / "device", deviceError);
    if (sysError || deviceError || PlaceholderPort(ttyDir))
        return std::nullopt;
    SerialDevice found;
    found.name = ttyDir.filename().string();
    found.device = "/dev/" + found.name;
    found.driver = DriverOf(device, sys);
    if (const fs::path usb = UsbDeviceOf(device, sys); !usb.empty()) {
        found.vendorId = FirstLineOf(usb / "idVendor");
        found.productId = FirstLineOf(usb / "idProduct");
        found.manufacturer = FirstLineOf(usb / "manufacturer");
        found.product = FirstLineOf(usb / "product");
    }
    found.byId = ByIdName(root, found.name);
    const std::string latency = FirstLineOf(device / "latency_timer");
    int ms = 0;
    const auto [end, error] = std::from_chars(latency.data(), latency.data() + latency.size(), ms);
    if (error == std::errc() && end != latency.data()) {
        found.latencyMs = ms;
        found.latencyTimer = "/sys/bus/usb-serial/devices/" + found.name + "/latency_timer";
    }
    return found;
}

} // namespace

std::string FirstLineOf(const fs::path& file) {
    auto read = ReadRegularFile(file, 4096, Links::Refuse);
    std::string* text = std::get_if<std::string>(&read);
    return text ? text->substr(0, text->find('\n')) : std::string();
}

std::string DevicePathOf(const std::string& named) {
    return platform::DeviceOfPortEntry(named);
}

std::vector<SerialDevice> ListSerialDevices(const fs::path& root) {
    std::vector<SerialDevice> devices;
    std::error_code error;
    for (fs::directory_iterator it(root / "sys/class/tty", error), end; !error && it != end;
         it.increment(error))
        if (auto device = ReadDevice(root, it->path()))
            devices.push_back(std::move(*device));
    std::sort(devices.begin(), devices.end(),
              [](const SerialDevice& a, const SerialDevice& b) { return a.name < b.name; });
    return devices;
}

bool NamesDevice(const std::string& named, const SerialDevice& device) {
    const std::string path = DevicePathOf(named);
    return path == device.device || (!device.byId.empty() && path == device.byId);
}

std::optional<int> PortNumberNaming(const SerialDevice& device,
                                    const std::vector<PortChoice>& choices) {
    for (const PortChoice& choice : choices)
        if (NamesDevice(choice.device, device))
            return choice.number;
    return std::nullopt;
}

std::string DescribeDevice(const SerialDevice& device) {
    std::string line = device.device;
    if (!device.vendorId.empty())
        line += "  " + device.vendorId + ":" + device.productId;
    for (const std::string* part : {&device.manufacturer, &device.product})
        if (!part->empty())
            line += " " + *part;
    if (!device.driver.empty())
        line += " (" + device.driver + ")";
    if (!device.byId.empty())
        line += "  " + device.byId;
    return line;
}

} // namespace hx
