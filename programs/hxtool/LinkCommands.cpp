#include "adapters/serial/QtSerialPort.h"
#include "core/files/DataFile.h"
#include "core/link/PortNames.h"
#include "core/link/Protocol.h"
#include "programs/hxtool/Commands.h"
#include "programs/hxtool/ModelSession.h"
#include "programs/hxtool/PlugImage.h"
#include "programs/hxtool/ReadOutput.h"

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

// Opens the device the command names; false (reported) when it cannot be opened.
bool OpenPort(hx::QtSerialPort& port, const PreparedCommand& command, std::ostream& err,
              const char* name) {
    const auto device = hx::DeviceForPortName(*command.options.port, command.session.settingDir);
    if (const auto* error = std::get_if<hx::PortNameError>(&device)) {
        err << "hxtool " << name << ": " << error->message << "\n";
        return false;
    }
    try {
        port.open(std::get<std::string>(device));
        return true;
    } catch (const hx::PortError& error) {
        err << "hxtool " << name << ": " << error.what() << "\n";
        return false;
    }
}

} // namespace

int RunRead(const Invocation& invocation) {
    const auto prepared =
        PrepareCommand(invocation, {.output = true, .port = true, .files = 0}, "read");
    if (const int* status = std::get_if<int>(&prepared))
        return *status;
    const auto& command = std::get<PreparedCommand>(prepared);
    const auto& [options, session] = command;
    // A file that could not be saved is found out before the radio is asked for anything.
    if (const auto refusal = hx::CheckWriteTarget(*options.output)) {
        invocation.err << "hxtool read: " << refusal->message << "\n";
        return kExitFailure;
    }
    QtRuntime qt;
    hx::QtSerialPort port;
    if (!OpenPort(port, command, invocation.err, "read"))
        return kExitFailure;
    const auto start = hx::StartState(session.model.profile);
    const auto result = hx::ReadRadio(port, EncodeState(start, session.model),
                                      ProgressBar(invocation.err, hx::kReadBlockCount));
    port.close();
    if (const auto* failure = std::get_if<hx::LinkFailure>(&result)) {
        invocation.err << "\nhxtool read: " << failure->message() << "\n";
        return kExitFailure;
    }
    return SaveReadImage(std::get<hx::MemoryImage>(result), *options.output,
                         invocation.appFolder / "Data", invocation.err);
}

int RunWrite(const Invocation& invocation) {
    const auto prepared = PrepareCommand(invocation, {.port = true}, "write");
    if (const int* status = std::get_if<int>(&prepared))
        return *status;
    const auto& command = std::get<PreparedCommand>(prepared);
    const auto& [options, session] = command;
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
    if (!OpenPort(port, command, invocation.err, "write"))
        return kExitFailure;
    const auto failure =
        hx::WriteRadio(port, image, ProgressBar(invocation.err, hx::kWriteBlockCount));
    port.close();
    if (failure) {
        invocation.err << "\nhxtool write: " << failure->message() << "\n";
        return kExitFailure;
    }
    return kExitSuccess;
}

} // namespace hxtool
