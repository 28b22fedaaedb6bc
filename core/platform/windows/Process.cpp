#include "core/platform/Process.h"

#include "core/platform/windows/Api.h"
#include "core/platform/windows/Wide.h"

#include <limits>
#include <string>

namespace hx::platform {

long ThisProcessId() {
    return static_cast<long>(::GetCurrentProcessId());
}

bool ProcessRunning(long pid) {
    if (pid <= 0 || static_cast<unsigned long>(pid) > std::numeric_limits<DWORD>::max())
        return false;
    const HANDLE process =
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!process)
        return ::GetLastError() == ERROR_ACCESS_DENIED; // there, but another user's
    DWORD code = 0;
    const bool running = ::GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    ::CloseHandle(process);
    return running;
}

std::filesystem::path ThisProgramFile() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0)
            return {};
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        name.resize(name.size() * 2);
    }
}

} // namespace hx::platform
