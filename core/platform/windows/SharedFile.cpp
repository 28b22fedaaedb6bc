#include "core/platform/SharedFile.h"

#include "core/platform/windows/Api.h"
#include "core/platform/windows/Handle.h"
#include "core/platform/windows/Wide.h"

namespace hx::platform {

std::optional<std::string> AppendLocked(const std::filesystem::path& path,
                                        const std::function<std::string(bool fileIsEmpty)>& text) {
    // Others may read, append and lock the file too; the whole-file lock below keeps
    // appenders apart. Write-through, so a line that was reported written is on disk.
    const Handle file(::CreateFileW(path.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_FLAG_WRITE_THROUGH, nullptr));
    if (!file)
        return SystemMessage(::GetLastError());
    if (::GetFileType(file.get()) != FILE_TYPE_DISK)
        return "is not a file";
    OVERLAPPED whole{};
    if (!::LockFileEx(file.get(), LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole))
        return SystemMessage(::GetLastError());
    std::optional<std::string> failure;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) {
        failure = SystemMessage(::GetLastError());
    } else {
        const std::string bytes = text(size.QuadPart == 0);
        DWORD written = 0;
        if (!::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                         nullptr) ||
            written != bytes.size() || !::FlushFileBuffers(file.get()))
            failure = SystemMessage(::GetLastError());
    }
    ::UnlockFileEx(file.get(), 0, MAXDWORD, MAXDWORD, &whole);
    return failure;
}

} // namespace hx::platform
