#pragma once

#include "core/link/CableDoctor.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <unistd.h>

namespace hx {

// A system tree for the cable doctor in a scratch folder, laid out as the kernel
// lays out sysfs (class links into the device tree, relative links up to the USB
// device), with /dev nodes as plain files, processes in /proc and files in /etc.
class FakeSystem {
public:
    explicit FakeSystem(std::filesystem::path root) : root_(std::move(root)) {
        put("etc/group", "dialout:x:" + std::to_string(Group()) + ":\n");
    }

    // The group of every node: this process's own, named dialout.
    static unsigned Group() { return static_cast<unsigned>(::getegid()); }

    struct UsbAdapter {
        std::string vendorId = "0403", productId = "6001";
        std::string manufacturer = "FTDI", product = "FT232R USB UART";
        std::string driver = "ftdi_sio";
        std::optional<int> latencyMs = 16;
        std::string byId; // the name below /dev/serial/by-id, or none
    };
    // ttyUSBn hangs off a usb-serial port below the interface, ttyACMn off the
    // interface itself.
    void plugUsb(const std::string& name, const UsbAdapter& adapter, int usbPort = 1) {
        namespace fs = std::filesystem;
        const fs::path usb =
            sys() / "devices/pci0000:00/0000:00:14.0/usb1" / ("1-" + std::to_string(usbPort));
        put(usb / "idVendor", adapter.vendorId + "\n");
        put(usb / "idProduct", adapter.productId + "\n");
        put(usb / "manufacturer", adapter.manufacturer + "\n");
        put(usb / "product", adapter.product + "\n");
        const fs::path interface = usb / ("1-" + std::to_string(usbPort) + ":1.0");
        const bool acm = name.starts_with("ttyACM");
        const fs::path port = acm ? interface : interface / name;
        fs::create_directories(port);
        link(port / "driver",
             sys() / (acm ? "bus/usb/drivers/" : "bus/usb-serial/drivers/") / adapter.driver);
        if (adapter.latencyMs)
            put(port / "latency_timer", std::to_string(*adapter.latencyMs) + "\n");
        addTty(name, port);
        if (!adapter.byId.empty())
            link(root_ / "dev/serial/by-id" / adapter.byId, root_ / "dev" / name);
    }
    // A port of the board's 8250 driver; `chip` false for one the kernel lists
    // although nothing answered there.
    void addBoardPort(const std::string& name, bool chip) {
        const auto device = sys() / "devices/platform/serial8250";
        std::filesystem::create_directories(device);
        link(device / "driver", sys() / "bus/platform/drivers/serial8250");
        addTty(name, device);
        put(sys() / "class/tty" / name / "type", chip ? "4\n" : "0\n");
    }
    // The cable pulled: its tty, node and by-id name go.
    void unplug(const std::string& name) {
        namespace fs = std::filesystem;
        fs::remove(sys() / "class/tty" / name);
        fs::remove(root_ / "dev" / name);
        std::error_code error;
        for (fs::directory_iterator it(root_ / "dev/serial/by-id", error), end; !error && it != end;
             it.increment(error))
            if (fs::read_symlink(it->path()).filename() == name)
                fs::remove(it->path());
    }
    // A running process, with an open descriptor on `openDevice` when given.
    void addProcess(long pid, const std::string& program, const std::string& openDevice = {}) {
        const auto dir = root_ / "proc" / std::to_string(pid);
        put(dir / "comm", program + "\n");
        std::filesystem::create_directories(dir / "fd");
        if (!openDevice.empty())
            std::filesystem::create_symlink(openDevice, dir / "fd/3");
    }
    void put(const std::filesystem::path& file, const std::string& content) {
        const auto path = file.is_absolute() ? file : root_ / file;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << content;
    }
    const std::filesystem::path& root() const { return root_; }
    // Someone else than the owner of every node, in the groups given.
    SystemView viewAs(std::vector<unsigned> groups) const {
        return {root_, static_cast<unsigned>(::geteuid()) + 1, std::move(groups)};
    }

private:
    std::filesystem::path sys() const { return root_ / "sys"; }
    void addTty(const std::string& name, const std::filesystem::path& device) {
        namespace fs = std::filesystem;
        const fs::path tty = device / "tty" / name;
        fs::create_directories(tty);
        link(tty / "device", device);
        link(sys() / "class/tty" / name, tty);
        put(root_ / "dev" / name, "");
        fs::permissions(root_ / "dev" / name, fs::perms::owner_read | fs::perms::owner_write |
                                                  fs::perms::group_read | fs::perms::group_write);
    }
    // A relative link, as sysfs and udev make them, so the tree may move.
    static void link(const std::filesystem::path& at, const std::filesystem::path& target) {
        namespace fs = std::filesystem;
        if (fs::is_symlink(at))
            return;
        fs::create_directories(at.parent_path());
        if (!fs::exists(target))
            fs::create_directories(target);
        fs::create_symlink(fs::relative(target, at.parent_path()), at);
    }

    std::filesystem::path root_;
};

} // namespace hx
