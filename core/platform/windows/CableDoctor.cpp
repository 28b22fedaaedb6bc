// The cable doctor on Windows: the ports come from the system's list of serial ports,
// with the name and USB ids of the device behind each where Windows knows them. Who
// holds a port cannot be named on Windows; that a port refuses this program (access
// denied) means another program holds it.
#include "core/link/CableDoctor.h"

#include "core/link/PortNames.h"
#include "core/platform/Ports.h"
#include "core/platform/windows/Api.h"
#include "core/platform/windows/Handle.h"
#include "core/platform/windows/Wide.h"
#include "core/texts/Texts.h"

#include <algorithm>
#include <devguid.h>
#include <map>
#include <setupapi.h>

namespace hx {
namespace {

namespace fs = std::filesystem;

// COMn of every serial port the system has now, with the driver's device name.
std::map<std::string, std::string> SerialComm() {
    std::map<std::string, std::string> ports;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ,
                        &key) != ERROR_SUCCESS)
        return ports;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        wchar_t data[256];
        DWORD nameLength = 256;
        DWORD dataBytes = sizeof data;
        DWORD type = 0;
        if (::RegEnumValueW(key, index, name, &nameLength, nullptr, &type,
                            reinterpret_cast<BYTE*>(data), &dataBytes) != ERROR_SUCCESS)
            break;
        if (type == REG_SZ)
            ports[platform::Narrowed(std::wstring_view(data, wcsnlen(data, 256)))] =
                platform::Narrowed(std::wstring_view(name, nameLength));
    }
    ::RegCloseKey(key);
    return ports;
}

std::string RegistryText(HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property) {
    wchar_t text[512] = {};
    if (!::SetupDiGetDeviceRegistryPropertyW(set, &device, property, nullptr,
                                             reinterpret_cast<BYTE*>(text), sizeof text - 2,
                                             nullptr))
        return {};
    return platform::Narrowed(text);
}

// "USB\VID_0403&PID_6001&REV_0600" gives 0403 and 6001.
void TakeUsbIds(const std::string& hardwareId, SerialDevice& device) {
    const auto vid = hardwareId.find("VID_");
    const auto pid = hardwareId.find("PID_");
    if (vid == std::string::npos || pid == std::string::npos)
        return;
    device.vendorId = hardwareId.substr(vid + 4, 4);
    device.productId = hardwareId.substr(pid + 4, 4);
    std::transform(device.vendorId.begin(), device.vendorId.end(), device.vendorId.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    std::transform(device.productId.begin(), device.productId.end(), device.productId.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
}

// The friendly name and USB ids of the ports class's present devices, by COM name.
void AddDeviceDetails(std::vector<SerialDevice>& devices) {
    const HDEVINFO set =
        ::SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
    if (set == INVALID_HANDLE_VALUE)
        return;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD index = 0; ::SetupDiEnumDeviceInfo(set, index, &device); ++index) {
        const HKEY key =
            ::SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
        if (key == INVALID_HANDLE_VALUE)
            continue;
        wchar_t portName[64] = {};
        DWORD bytes = sizeof portName - 2;
        const bool named =
            ::RegQueryValueExW(key, L"PortName", nullptr, nullptr,
                               reinterpret_cast<BYTE*>(portName), &bytes) == ERROR_SUCCESS;
        ::RegCloseKey(key);
        const std::string name = named ? platform::Narrowed(portName) : std::string();
        const auto listed = std::find_if(devices.begin(), devices.end(),
                                         [&](const SerialDevice& d) { return d.name == name; });
        if (listed == devices.end())
            continue;
        listed->product = RegistryText(set, device, SPDRP_FRIENDLYNAME);
        listed->manufacturer = RegistryText(set, device, SPDRP_MFG);
        TakeUsbIds(RegistryText(set, device, SPDRP_HARDWAREID), *listed);
    }
    ::SetupDiDestroyDeviceInfoList(set);
}

std::vector<SerialDevice> SerialPorts() {
    std::vector<SerialDevice> devices;
    for (const auto& [port, driver] : SerialComm()) {
        SerialDevice device;
        device.name = port;
        device.device = port;
        device.driver = driver;
        devices.push_back(device);
    }
    AddDeviceDetails(devices);
    // COM2 before COM10.
    std::sort(devices.begin(), devices.end(), [](const SerialDevice& a, const SerialDevice& b) {
        return std::pair(PortNumberOf(a.name).value_or(0), a.name) <
               std::pair(PortNumberOf(b.name).value_or(0), b.name);
    });
    return devices;
}

class Doctor {
public:
    explicit Doctor(Language language) : language_(language) {}

    void add(FindingKind kind, Text text, std::initializer_list<std::string_view> args,
             Text fix = Text::Count, std::initializer_list<std::string_view> fixArgs = {}) {
        findings.push_back(
            {kind, FillText(TextOf(text).in(language_), args),
             fix == Text::Count ? "" : FillText(TextOf(fix).in(language_), fixArgs)});
    }

    // Opened for a moment, the only way Windows tells whether another program has it.
    void checkHolder(const std::string& device) {
        const std::wstring path = device.starts_with("\\\\.\\")
                                      ? platform::Widened(device)
                                      : L"\\\\.\\" + platform::Widened(device);
        const platform::Handle port(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                                  nullptr, OPEN_EXISTING, 0, nullptr));
        if (port) {
            add(FindingKind::Ok, Text::MayOpen, {device});
            add(FindingKind::Ok, Text::PortNotHeld, {device});
        } else if (const DWORD error = ::GetLastError(); error == ERROR_ACCESS_DENIED) {
            add(FindingKind::Problem, Text::PortHeld,
                {device, TextOf(Text::AnotherProgram).in(language_)}, Text::PortHeldFix);
        }
    }

    std::vector<Finding> findings;

private:
    Language language_;
};

} // namespace

SystemView ThisSystem() {
    return {};
}

bool CableReport::foundProblem() const {
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& f) { return f.kind == FindingKind::Problem; });
}

CableReport CheckCable(const SystemView&, const fs::path& settingDir, const std::string& port,
                       Language language) {
    CableReport report;
    const std::vector<PortChoice> choices = ListPortChoices(settingDir);
    for (SerialDevice& device : SerialPorts()) {
        const int number = PortNumberNaming(device, choices).value_or(0);
        report.devices.push_back({std::move(device), number});
    }
    Doctor doctor(language);
    const auto number = PortNumberOf(port);
    const std::string device = number ? DeviceForPort(*number, settingDir) : port;
    const std::string label = number && device != port ? port + " (" + device + ")" : device;
    if (device.empty()) {
        doctor.add(FindingKind::Problem, Text::PortNamesNothing, {port}, Text::ChoosePortFix);
    } else if (!platform::PortDevicePresent(device)) {
        doctor.add(FindingKind::Problem, Text::PortIsAbsent, {label}, Text::PortAbsentFix);
    } else {
        doctor.add(FindingKind::Ok, Text::PortIsPresent, {label});
        doctor.checkHolder(device);
    }
    for (const auto& listed : report.devices)
        if (listed.portNumber == 0)
            doctor.add(FindingKind::Note, Text::DeviceUnnamed, {listed.device.device},
                       Text::DeviceUnnamedFix, {listed.device.device});
    report.findings = std::move(doctor.findings);
    return report;
}

} // namespace hx
