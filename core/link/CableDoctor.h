#pragma once

#include "core/link/SerialDevices.h"
#include "core/texts/Language.h"

#include <filesystem>
#include <string>
#include <vector>

namespace hx {

// The system the cable doctor looks at, and who would open the port.
struct SystemView {
    std::filesystem::path root = "/"; // a fake tree in tests
    unsigned uid = 0;
    std::vector<unsigned> groups; // the primary group and every other
};
// "/" as this process sees it.
SystemView ThisSystem();

enum class FindingKind { Ok, Problem, Note };

// One thing the doctor found, in the interface language, and what to do about it
// (empty when there is nothing to do).
struct Finding {
    FindingKind kind;
    std::string text;
    std::string fix;
};

struct CableReport {
    struct Listed {
        SerialDevice device;
        int portNumber; // 0: no port number names it
    };
    std::vector<Listed> devices;
    std::vector<Finding> findings;
    bool foundProblem() const;
};

// Looks at the serial devices and at the port `port` (COM1 to COM16, through the
// port table of `settingDir`, or a device path): whether it is there, whether this
// user may open it, services that grab serial adapters, other programs holding it,
// and the adapter's latency timer. Reads only: it changes nothing and opens no port.
CableReport CheckCable(const SystemView& system, const std::filesystem::path& settingDir,
                       const std::string& port, Language language);

} // namespace hx
