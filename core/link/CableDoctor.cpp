#include "core/link/CableDoctor.h"

#include "core/files/Posix.h"
#include "core/files/SafeFile.h"
#include "core/link/LockFile.h"
#include "core/link/PortNames.h"
#include "core/link/SerialPort.h"
#include "core/texts/Texts.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hx {
namespace {

namespace fs = std::filesystem;

// The process number a /proc folder is named by, or nothing for other folders.
std::optional<long> ProcessNumber(const std::string& name) {
    long pid = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
    if (error != std::errc() || end != name.data() + name.size() || pid <= 0)
        return std::nullopt;
    return pid;
}

// The running processes below the root: their numbers and program names.
std::map<long, std::string> Processes(const fs::path& root) {
    std::map<long, std::string> processes;
    std::error_code error;
    for (fs::directory_iterator it(root / "proc", error), end; !error && it != end;
         it.increment(error))
        if (const auto pid = ProcessNumber(it->path().filename().string()))
            processes[*pid] = FirstLineOf(it->path() / "comm");
    return processes;
}

// The fields of a line of /etc/passwd or /etc/group.
std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ':');)
        fields.push_back(field);
    return fields;
}

// The lines of a small system file such as /etc/group, split into fields.
std::vector<std::vector<std::string>> Table(const fs::path& file) {
    const auto read = ReadRegularFile(file, 1 << 20);
    std::vector<std::vector<std::string>> rows;
    if (const auto* text = std::get_if<std::string>(&read)) {
        std::istringstream in(*text);
        for (std::string line; std::getline(in, line);)
            rows.push_back(Fields(line));
    }
    return rows;
}

// The group's name and its listed members, for a group of `gid`.
struct Group {
    std::string name;
    std::vector<std::string> members;
};
Group GroupOf(const fs::path& root, unsigned gid) {
    for (const auto& row : Table(root / "etc/group"))
        if (row.size() >= 3 && row[2] == std::to_string(gid)) {
            Group group{row[0], {}};
            std::istringstream members(row.size() > 3 ? row[3] : "");
            for (std::string member; std::getline(members, member, ',');)
                group.members.push_back(member);
            return group;
        }
    return {std::to_string(gid), {}};
}

std::string UserName(const fs::path& root, unsigned uid) {
    for (const auto& row : Table(root / "etc/passwd"))
        if (row.size() >= 3 && row[2] == std::to_string(uid))
            return row[0];
    return {};
}

// Whether a process keeps the lock file flock-ed; the probe's shared lock goes with
// the descriptor at once.
bool Flocked(const fs::path& lock) {
    const Descriptor fd(::open(lock.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    return fd && ::flock(fd.get(), LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
}

// The udev rule that gives the adapter group dialout and mode 0660: by its USB vendor
// and product where they are known, else by the device's kernel name.
std::string UdevRule(const std::string& device, const SerialDevice* adapter) {
    const std::string match = adapter && !adapter->vendorId.empty() && !adapter->productId.empty()
                                  ? "SUBSYSTEM==\"tty\", ATTRS{idVendor}==\"" + adapter->vendorId +
                                        "\", ATTRS{idProduct}==\"" + adapter->productId + "\""
                                  : "KERNEL==\"" + fs::path(device).filename().string() + "\"";
    return match + ", GROUP=\"dialout\", MODE=\"0660\"";
}

class Doctor {
public:
    Doctor(const SystemView& system, Language language)
        : system_(system), language_(language), processes_(Processes(system.root)) {}

    bool thisSystem() const { return system_.root == "/"; }

    void add(FindingKind kind, Text text, std::initializer_list<std::string_view> args,
             Text fix = Text::Count, std::initializer_list<std::string_view> fixArgs = {}) {
        findings.push_back(
            {kind, FillText(TextOf(text).in(language_), args),
             fix == Text::Count ? "" : FillText(TextOf(fix).in(language_), fixArgs)});
    }

    void checkAccess(const std::string& device, const fs::path& path, const SerialDevice* adapter) {
        struct stat node {};
        if (::stat(path.c_str(), &node) != 0)
            return;
        if (mayOpen(node, path)) {
            add(FindingKind::Ok, Text::MayOpen, {device});
            return;
        }
        const Group group = GroupOf(system_.root, node.st_gid);
        char mode[8];
        std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(node.st_mode & 07777));
        // A node whose group may not read and write it opens for no member of any
        // group: only a rule that gives it a group and mode helps.
        constexpr mode_t kGroupReadWrite = S_IRGRP | S_IWGRP;
        if ((node.st_mode & kGroupReadWrite) != kGroupReadWrite) {
            add(FindingKind::Problem, Text::MayNotOpen, {device, group.name, mode},
                Text::MayNotOpenRuleFix, {UdevRule(device, adapter)});
            return;
        }
        // Joining a group reaches only the processes of a later login.
        const std::string user = UserName(system_.root, system_.uid);
        const bool joined = !user.empty() && std::find(group.members.begin(), group.members.end(),
                                                       user) != group.members.end();
        // A device of group root is opened through dialout on the usual distributions.
        const std::string join = group.name == "root" ? "dialout" : group.name;
        add(FindingKind::Problem, Text::MayNotOpen, {device, group.name, mode},
            joined ? Text::MayNotOpenReloginFix : Text::MayNotOpenFix, {join});
    }

    // A live lock file or an open descriptor of another process.
    void checkHolders(const std::string& device, const std::string& name) {
        for (const char* folder : kLockFolders)
            for (const std::string& named : {device, "/dev/" + name})
                if (checkLock(device, system_.root / fs::path(folder).relative_path() /
                                          LockFileName(named)))
                    return;
        int unseen = 0;
        for (const auto& [pid, program] : processes_) {
            std::error_code error;
            const fs::path fds = system_.root / "proc" / std::to_string(pid) / "fd";
            fs::directory_iterator it(fds, error);
            // A process may end while the doctor looks: only one still there counts.
            unseen += error && error != std::errc::no_such_file_or_directory ? 1 : 0;
            for (fs::directory_iterator end; !error && it != end; it.increment(error)) {
                std::error_code linkError;
                const fs::path target = fs::read_symlink(it->path(), linkError);
                if (!linkError && (target == device || target == "/dev/" + name)) {
                    held(device, {pid, program});
                    return;
                }
            }
        }
        if (unseen > 0)
            add(FindingKind::Note, Text::ProcessesUnseen, {std::to_string(unseen)},
                Text::ProcessesUnseenFix);
        else
            add(FindingKind::Ok, Text::PortNotHeld, {device});
    }

    // brltty matters when it runs, or when its rules start it for this adapter.
    void checkServices(const SerialDevice* adapter) {
        const auto running = [&](const char* program) {
            return std::any_of(processes_.begin(), processes_.end(),
                               [&](const auto& p) { return p.second == program; });
        };
        const bool brlttyRunning = running("brltty");
        const Brltty brltty = brlttyInstall(adapter);
        if (brlttyRunning)
            add(FindingKind::Problem, Text::BrlttyRunning, {}, Text::BrlttyFix);
        else if (brltty != Brltty::Absent)
            add(brltty == Brltty::WantsAdapter ? FindingKind::Problem : FindingKind::Note,
                Text::BrlttyInstalled, {}, Text::BrlttyFix);
        const bool modemManager = running("ModemManager");
        if (modemManager)
            add(FindingKind::Note, Text::ModemManagerRunning, {}, Text::ModemManagerFix);
        if (!modemManager && !brlttyRunning && brltty == Brltty::Absent)
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

    // The lock file `lock`, read without following a link or waiting on a FIFO;
    // whether it holds the port.
    bool checkLock(const std::string& device, const fs::path& lock) {
        const auto read = ReadRegularFile(lock, 128, Links::Refuse);
        const auto* content = std::get_if<std::string>(&read);
        if (!content)
            return false;
        const LockOwner owner = ReadLockOwner(*content);
        const auto live = processes_.find(owner.pid);
        const bool running = thisSystem() ? ProcessRunning(owner.pid) : live != processes_.end();
        switch (JudgeLock(*content, Flocked(lock), running)) {
        case LockState::Owned:
            held(device, {owner.pid, !owner.program.empty()     ? owner.program
                                     : live != processes_.end() ? live->second
                                                                : std::string()});
            return true;
        case LockState::Held:
            held(device, {});
            return true;
        case LockState::Stale:
        case LockState::Blank:
            return false;
        }
        return false;
    }

    bool mayOpen(const struct stat& node, const fs::path& path) const {
        // The kernel's own answer covers every group, root, and access lists.
        if (thisSystem())
            return ::faccessat(AT_FDCWD, path.c_str(), R_OK | W_OK, AT_EACCESS) == 0;
        const auto& groups = system_.groups;
        const bool inGroup = std::find(groups.begin(), groups.end(), node.st_gid) != groups.end();
        const mode_t need = system_.uid == node.st_uid ? S_IRUSR | S_IWUSR
                            : inGroup                  ? S_IRGRP | S_IWGRP
                                                       : S_IROTH | S_IWOTH;
        return system_.uid == 0 || (node.st_mode & need) == need;
    }

    enum class Brltty { Absent, Installed, WantsAdapter };
    // Its program, or a udev rule that starts it, and whether a rule names the
    // adapter's vendor and product. An empty rule file or one linked to /dev/null is
    // how a rule is masked.
    Brltty brlttyInstall(const SerialDevice* adapter) const {
        Brltty found = Brltty::Absent;
        std::error_code error;
        for (const char* bin : {"usr/bin", "bin", "usr/sbin", "sbin"})
            if (fs::exists(system_.root / bin / "brltty", error))
                found = Brltty::Installed;
        for (const char* rules : {"lib/udev/rules.d", "usr/lib/udev/rules.d", "etc/udev/rules.d"}) {
            for (fs::directory_iterator it(system_.root / rules, error), end; !error && it != end;
                 it.increment(error)) {
                if (it->path().filename().string().find("brltty") == std::string::npos)
                    continue;
                const auto read = ReadRegularFile(it->path(), 1 << 20);
                const auto* text = std::get_if<std::string>(&read);
                if (!text || text->empty())
                    continue;
                found = std::max(found, Brltty::Installed);
                if (adapter && !adapter->vendorId.empty() &&
                    RuleNames(*text, adapter->vendorId, adapter->productId))
                    return Brltty::WantsAdapter;
            }
        }
        return found;
    }

    // Whether a udev rule text matches vendor and product on one line.
    static bool RuleNames(const std::string& rules, const std::string& vendor,
                          const std::string& product) {
        std::istringstream in(rules);
        for (std::string line; std::getline(in, line);)
            if (line.find("\"" + vendor + "\"") != std::string::npos &&
                line.find("\"" + product + "\"") != std::string::npos)
                return true;
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
    const std::vector<PortChoice> choices = ListPortChoices(settingDir);
    for (SerialDevice& device : ListSerialDevices(system.root)) {
        const int number = PortNumberNaming(device, choices).value_or(0);
        report.devices.push_back({std::move(device), number});
    }

    Doctor doctor(system, language);
    const auto number = PortNumberOf(port);
    const std::string device = DevicePathOf(number ? DeviceForPort(*number, settingDir) : port);
    const std::string label = number ? port + " (" + device + ")" : device;
    const SerialDevice* adapter = nullptr;
    std::error_code error;
    const fs::path node =
        device.empty() ? fs::path() : system.root / fs::path(device).relative_path();
    if (device.empty()) {
        doctor.add(FindingKind::Problem, Text::PortNamesNothing, {port}, Text::ChoosePortFix);
    } else if (!fs::exists(node, error)) {
        doctor.add(FindingKind::Problem, Text::PortIsAbsent, {label}, Text::PortAbsentFix);
    } else {
        doctor.add(FindingKind::Ok, Text::PortIsPresent, {label});
        // A by-id name stands for the tty it links to.
        const fs::path resolved = fs::canonical(node, error);
        const std::string name = (error ? node : resolved).filename().string();
        const auto listed = std::find_if(report.devices.begin(), report.devices.end(),
                                         [&](const auto& l) { return l.device.name == name; });
        if (listed != report.devices.end())
            adapter = &listed->device;
        doctor.checkAccess(device, node, adapter);
        doctor.checkHolders(device, name);
        if (adapter && adapter->latencyMs) {
            const std::string ms = std::to_string(*adapter->latencyMs);
            if (*adapter->latencyMs > 1)
                doctor.add(FindingKind::Note, Text::LatencyHigh, {ms}, Text::LatencyFix,
                           {adapter->latencyTimer});
            else
                doctor.add(FindingKind::Ok, Text::LatencyLow, {ms});
        }
    }
    doctor.checkServices(adapter);
    for (const auto& listed : report.devices)
        if (listed.portNumber == 0)
            doctor.add(FindingKind::Note, Text::DeviceUnnamed, {listed.device.device},
                       Text::DeviceUnnamedFix, {listed.device.device});
    report.findings = std::move(doctor.findings);
    return report;
}

} // namespace hx
