#include "programs/hxtool/ReadOutput.h"

#include "core/image/DataFile.h"
#include "core/platform/Clock.h"
#include "core/platform/Folders.h"
#include "core/platform/Process.h"
#include "programs/hxtool/Commands.h"

#include <cstdlib>
#include <ctime>
#include <ostream>
#include <string>
#include <system_error>

namespace hxtool {
namespace {

// "read-20240131-142502-4711.dat": when it was read, and by which run.
std::string RescueName() {
    const std::time_t now = std::time(nullptr);
    const std::tm local = hx::platform::LocalTime(now);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return "read-" + std::string(stamp) + "-" + std::to_string(hx::platform::ThisProcessId()) +
           ".dat";
}

} // namespace

int SaveReadImage(const hx::MemoryImage& image, const std::filesystem::path& output,
                  const std::filesystem::path& dataDir, std::ostream& err) {
    const auto written = hx::WriteDataFile(output, image);
    const auto* failure = std::get_if<hx::DataFileError>(&written);
    if (!failure)
        return kExitSuccess;
    err << "hxtool read: " << failure->message << "\n";
    const std::string name = RescueName();
    std::error_code ignored;
    std::filesystem::create_directories(dataDir, ignored);
    for (const auto& folder : {dataDir, hx::platform::NewPrivateTemporaryFolder()}) {
        if (folder.empty())
            continue;
        const auto rescue = folder / name;
        if (std::holds_alternative<std::monostate>(hx::WriteDataFile(rescue, image))) {
            err << "hxtool read: the data read from the radio is kept in " << rescue.string()
                << "\n";
            return kExitFailure;
        }
    }
    err << "hxtool read: the data read from the radio could not be kept anywhere\n";
    return kExitFailure;
}

} // namespace hxtool
