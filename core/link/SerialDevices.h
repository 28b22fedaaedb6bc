#pragma once

#include "core/link/PortNames.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace hx {

// A serial device the kernel shows, as sysfs describes it. Paths are those of the
// system looked at, without the root folder it was read under.
struct SerialDevice {
    std::string name;   // "ttyUSB0"
    std::string device; // "/dev/ttyUSB0"
    std::string driver; // "ftdi_sio", "cp210x", "cdc_acm", "serial"
    // The USB device the port belongs to; all empty for a port on the board.
    std::string vendorId, productId; // "0403", "6001"
    std::string manufacturer, product;
    std::string byId;             // "/dev/serial/by-id/usb-FTDI_...-port0", or empty
    std::optional<int> latencyMs; // the adapter's latency timer, where it has one
    std::string latencyTimer;     // the sysfs file that holds it
};

// The serial devices present below `root` ("/" for this system), sorted by name:
// every tty of /sys/class/tty with a device behind it, except the board's 8250
// ports that the kernel found no chip for. Reads only.
std::vector<SerialDevice> ListSerialDevices(const std::filesystem::path& root);

// The first line of a small system file (a sysfs attribute, /proc/N/comm) within its
// first 4 KiB; empty when it is no regular file (a link, a FIFO) or cannot be read.
std::string FirstLineOf(const std::filesystem::path& file);

// The device a port table's entry names: on Linux a bare name such as "ttyUSB0" is one
// below /dev, as serial programs take it; on Windows the entry is the port's name.
std::string DevicePathOf(const std::string& named);

// Whether a port table's entry names this device, by its /dev name or its by-id name.
bool NamesDevice(const std::string& named, const SerialDevice& device);

// The first port number (COM1 to COM16) of the port table `choices` whose device is
// this one; nothing when no number names it.
std::optional<int> PortNumberNaming(const SerialDevice& device,
                                    const std::vector<PortChoice>& choices);

// One line for a list of devices: "/dev/ttyUSB0  0403:6001 FTDI FT232R USB UART
// (ftdi_sio)  /dev/serial/by-id/..." without the port number.
std::string DescribeDevice(const SerialDevice& device);

} // namespace hx
