#include "core/link/CableDoctor.h"

#include "core/link/LockFile.h"
#include "core/link/PortNames.h"
#include "core/link/SerialPort.h"
#include "core/texts/Texts.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace hx {
namespace {

namespace fs = std::filesystem;

bool AllDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The running processes below the root: their numbers and program names.
std::map<long, std::string> Processes(const fs::path& root) {
    std::map<long, std::string> processes;
    std::error_code error;
    for (fs::directory_iterator it(root / "proc", error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (AllDigits(name))
            processes[std::stol(name)] = FirstLineOf(it->path() / "comm");
    }
    return processes;
}

std::string GroupName(const fs::path& root, unsigned gid) {
    std::ifstream groups(root / "etc/group");
    for (std::string line; std::getline(groups, line);) {
        const auto first = line.find(':');
        const auto second = line.find(':', first + 1);
        const auto third = line.find(':', second + 1);
        if (first != std::string::npos && third != std::string::npos &&
            line.substr(second + 1, third - second - 1) == std::to_string(gid))
            return line.substr(0, first);
    }
    return std::to_string(gid);
}

class Doctor {
public:
    Doctor(const SystemView& system, Language language)
        : system_(system), language_(language), processes_(Processes(system.root)) {}

    void add(FindingKind kind, Text text, std::initializer_list<std::string_view> args,
             Text fix = Text::Count, std::initializer_list<std::string_view> fixArgs = {}) {
        findings.push_back(
            {kind, FillText(TextOf(text).in(language_), args),
             fix == Text::Count ? "" : FillText(TextOf(fix).in(language_), fixArgs)});
    }

    void checkAccess(const std::string& device) {
        struct stat node {};
        if (::stat((system_.root / device.substr(1)).c_str(), &node) != 0)
            return;
        const auto& groups = system_.groups;
        const bool inGroup = std::find(groups.begin(), groups.end(), node.st_gid) != groups.end();
        const mode_t need = system_.uid == node.st_uid ? S_IRUSR | S_IWUSR
                            : inGroup                  ? S_IRGRP | S_IWGRP
                                                       : S_IROTH | S_IWOTH;
        if (system_.uid == 0 || (node.st_mode & need) == need) {
            add(FindingKind::Ok, Text::MayOpen, {device});
            return;
        }
        const std::string group = GroupName(system_.root, node.st_gid);
        char mode[8];
        std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(node.st_mode & 07777));
        // A device of group root is opened through dialout on the usual distributions.
        add(FindingKind::Problem, Text::MayNotOpen, {device, group, mode}, Text::MayNotOpenFix,
            {group == "root" ? "dialout" : group});
    }

    // A live lock file or an open descriptor of another process.
    void checkHolders(const std::string& device, const std::string& name) {
        for (const char* folder : kLockFolders)
            for (const std::string& named : {device, "/dev/" + name}) {
                const fs::path lock =
                    system_.root / fs::path(folder).relative_path() / LockFileName(named);
                std::ifstream in(lock);
                const LockOwner owner = ReadLockOwner({std::istreambuf_iterator<char>(in), {}});
                if (const auto live = processes_.find(owner.pid); live != processes_.end()) {
                    held(device, {owner.pid, owner.program.empty() ? live->second : owner.program});
                    return;
                }
            }
        for (const auto& [pid, program] : processes_) {
            std::error_code error;
            const fs::path fds = system_.root / "proc" / std::to_string(pid) / "fd";
            for (fs::directory_iterator it(fds, error), end; !error && it != end;
                 it.increment(error)) {
                const fs::path target = fs::read_symlink(it->path(), error);
                if (!error && (target == device || target == "/dev/" + name)) {
                    held(device, {pid, program});
                    return;
                }
            }
        }
        add(FindingKind::Ok, Text::PortNotHeld, {device});
    }

    void checkServices() {
        const auto running = [&](const char* program) {
            return std::any_of(processes_.begin(), processes_.end(),
                               [&](const auto& p) { return p.second == program; });
        };
        const bool brlttyRunning = running("brltty");
        if (brlttyRunning || brlttyInstalled())
            add(FindingKind::Problem, brlttyRunning ? Text::BrlttyRunning : Text::BrlttyInstalled,
                {}, Text::BrlttyFix);
        const bool modemManager = running("ModemManager");
        if (modemManager)
            add(FindingKind::Note, Text::ModemManagerRunning, {}, Text::ModemManagerFix);
        if (!modemManager && !brlttyRunning && !brlttyInstalled())
            add(FindingKind::Ok, Text::NoGrabbingService, {});
    }

    std::vector<Finding> findings;

private:
    void held(const std::string& device, const PortHolder& holder) {
        const std::string who = PortInUse::Describe(holder);
        add(FindingKind::Problem, Text::PortHeld,
            {device, who.empty() ? TextOf(Text::AnotherProgram).in(language_) : who},
            Text::PortHeldFix);
    }

    // Its program, or the udev rule that starts it for the adapters it wants.
    bool brlttyInstalled() const {
        for (const char* bin : {"usr/bin", "bin", "usr/sbin", "sbin"})
            if (fs::exists(system_.root / bin / "brltty"))
                return true;
        for (const char* rules : {"lib/udev/rules.d", "usr/lib/udev/rules.d", "etc/udev/rules.d"}) {
            std::error_code error;
            for (fs::directory_iterator it(system_.root / rules, error), end; !error && it != end;
                 it.increment(error))
                if (it->path().filename().string().find("brltty") != std::string::npos)
                    return true;
        }
        return false;
    }

    const SystemView& system_;
    Language language_;
    std::map<long, std::string> processes_;
};

} // namespace

SystemView ThisSystem() {
    SystemView system{"/", static_cast<unsigned>(::geteuid()), {}};
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(::getgroups(0, nullptr), 0)));
    groups.resize(static_cast<std::size_t>(
        std::max(::getgroups(static_cast<int>(groups.size()), groups.data()), 0)));
    system.groups.assign(groups.begin(), groups.end());
    system.groups.push_back(static_cast<unsigned>(::getegid()));
    return system;
}

bool CableReport::foundProblem() const {
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& f) { return f.kind == FindingKind::Problem; });
}

CableReport CheckCable(const SystemView& system, const fs::path& settingDir,
                       const std::string& port, Language language) {
    CableReport report;
    for (SerialDevice& device : ListSerialDevices(system.root)) {
        const int number = PortNumberNaming(device, settingDir).value_or(0);
        report.devices.push_back({std::move(device), number});
    }

    Doctor doctor(system, language);
    const auto number = PortNumberOf(port);
    const std::string device = number ? DeviceForPort(*number, settingDir) : port;
    const std::string label = number ? port + " (" + device + ")" : device;
    std::error_code error;
    const fs::path node =
        device.empty() ? fs::path() : system.root / fs::path(device).relative_path();
    if (device.empty()) {
        doctor.add(FindingKind::Problem, Text::PortNamesNothing, {port}, Text::ChoosePortFix);
    } else if (!fs::exists(node, error)) {
        doctor.add(FindingKind::Problem, Text::PortIsAbsent, {label}, Text::PortAbsentFix);
    } else {
        doctor.add(FindingKind::Ok, Text::PortIsPresent, {label});
        doctor.checkAccess(device);
        // A by-id name stands for the tty it links to.
        const std::string name = fs::canonical(node, error).filename().string();
        doctor.checkHolders(device, name);
        const auto listed = std::find_if(report.devices.begin(), report.devices.end(),
                                         [&](const auto& l) { return l.device.name == name; });
        if (listed != report.devices.end() && listed->device.latencyMs) {
            const SerialDevice& adapter = listed->device;
            const std::string ms = std::to_string(*adapter.latencyMs);
            if (*adapter.latencyMs > 1)
                doctor.add(FindingKind::Note, Text::LatencyHigh, {ms}, Text::LatencyFix,
                           {adapter.latencyTimer});
            else
                doctor.add(FindingKind::Ok, Text::LatencyLow, {ms});
        }
    }
    doctor.checkServices();
    for (const auto& listed : report.devices)
        if (listed.portNumber == 0)
            doctor.add(FindingKind::Note, Text::DeviceUnnamed, {listed.device.device},
                       Text::DeviceUnnamedFix, {listed.device.device});
    report.findings = std::move(doctor.findings);
    return report;
}

} // namespace hx
