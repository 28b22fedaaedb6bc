#include "core/link/SerialPort.h"

namespace hx {
namespace {

std::string InUseText(const std::string& device, const PortHolder& holder) {
    const std::string who = PortInUse::Describe(holder);
    return device + " is in use by " + (who.empty() ? "another program" : who);
}

} // namespace

PortInUse::PortInUse(const std::string& device, PortHolder holder)
    : PortError(InUseText(device, holder)), device_(device), holder_(std::move(holder)) {}

std::string PortInUse::Describe(const PortHolder& holder) {
    if (holder.pid <= 0)
        return holder.program;
    const std::string pid = "PID " + std::to_string(holder.pid);
    return holder.program.empty() ? pid : holder.program + " (" + pid + ")";
}

} // namespace hx
