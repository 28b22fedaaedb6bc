#include "image/DataFile.h"
#include "link/PortNames.h"
#include "link/Protocol.h"
#include "link/qt/QtSerialPort.h"
#include "tools/hxtool/Commands.h"
#include "tools/hxtool/ModelSession.h"
#include "tools/hxtool/PlugImage.h"

#include <QCoreApplication>
#include <ostream>
#include <unistd.h>

namespace hxtool {
namespace {

// QSerialPort wants an application object even when it is only waited on.
struct QtRuntime {
    int argc = 1;
    char name[8] = "hxtool";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
};

// A bar on a terminal; nothing when the output goes elsewhere.
hx::Progress ProgressBar(std::ostream& err, int total) {
    if (!::isatty(STDERR_FILENO))
        return {};
    return [&err, total](int done) {
        const int width = 40;
        const int filled = (done + 1) * width / total;
        err << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
            << std::string(static_cast<std::size_t>(width - filled), ' ') << "] "
            << (done + 1) * 100 / total << "%" << std::flush;
        if (done + 1 == total)
            err << "\n";
    };
}

std::string DeviceOf(const std::string& port, const std::filesystem::path& settingDir) {
    if (const auto number = hx::PortNumberOf(port))
        return hx::DeviceForPort(*number, settingDir);
    return port;
}

struct Prepared {
    Options options;
    ModelSession session;
};

std::optional<Prepared> Prepare(const Invocation& invocation, const OptionSet& accepted,
                                const char* name, int& status) {
    const auto parsed = ParseOptions(invocation.args, accepted);
    if (const auto* usage = std::get_if<UsageError>(&parsed)) {
        invocation.err << "hxtool " << name << ": " << usage->message << "\n";
        status = kExitUsage;
        return std::nullopt;
    }
    const auto& options = std::get<Options>(parsed);
    auto session = OpenModelSession(options, invocation.executableDir);
    if (const auto* error = std::get_if<std::string>(&session)) {
        invocation.err << "hxtool " << name << ": " << *error << "\n";
        status = kExitFailure;
        return std::nullopt;
    }
    return Prepared{options, std::get<ModelSession>(std::move(session))};
}

} // namespace

int RunRead(const Invocation& invocation) {
    int status = kExitSuccess;
    const auto prepared =
        Prepare(invocation, {.output = true, .port = true, .files = 0}, "read", status);
    if (!prepared)
        return status;
    const auto& [options, session] = *prepared;
    QtRuntime qt;
    hx::QtSerialPort port;
    try {
        port.open(DeviceOf(*options.port, session.settingDir));
    } catch (const hx::PortError& error) {
        invocation.err << "hxtool read: " << error.what() << "\n";
        return kExitFailure;
    }
    const auto start = hx::StartState(session.model.profile);
    const auto result = hx::ReadFre(port, EncodeState(start, session.model),
                                    ProgressBar(invocation.err, hx::kReadBlockCount));
    port.close();
    if (const auto* failure = std::get_if<hx::LinkFailure>(&result)) {
        invocation.err << "\nhxtool read: " << failure->message() << "\n";
        return kExitFailure;
    }
    const auto written = hx::WriteDataFile(*options.output, std::get<hx::MemoryImage>(result));
    if (const auto* error = std::get_if<hx::DataFileError>(&written)) {
        invocation.err << "hxtool read: " << error->message << "\n";
        return kExitFailure;
    }
    return kExitSuccess;
}

int RunWrite(const Invocation& invocation) {
    int status = kExitSuccess;
    const auto prepared = Prepare(invocation, {.port = true}, "write", status);
    if (!prepared)
        return status;
    const auto& [options, session] = *prepared;
    const auto file = hx::ReadDataFile(options.files.front());
    if (const auto* error = std::get_if<hx::DataFileError>(&file)) {
        invocation.err << "hxtool write: " << error->message << "\n";
        return kExitFailure;
    }
    // The radio gets what the window would send after opening this file.
    const auto decoded = DecodeAfterStart(std::get<hx::MemoryImage>(file), session.model);
    const auto image = EncodeState(decoded.state, session.model);
    QtRuntime qt;
    hx::QtSerialPort port;
    try {
        port.open(DeviceOf(*options.port, session.settingDir));
    } catch (const hx::PortError& error) {
        invocation.err << "hxtool write: " << error.what() << "\n";
        return kExitFailure;
    }
    const auto failure =
        hx::WriteFre(port, image, ProgressBar(invocation.err, hx::kWriteBlockCount));
    port.close();
    if (failure) {
        invocation.err << "\nhxtool write: " << failure->message() << "\n";
        return kExitFailure;
    }
    return kExitSuccess;
}

} // namespace hxtool
