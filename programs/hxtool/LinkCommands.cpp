#include "adapters/serial/QtSerialPort.h"
#include "core/files/DataFile.h"
#include "core/link/PortNames.h"
#include "core/link/Protocol.h"
#include "core/link/Trace.h"
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

// The port of a read or a write, on the device the command names, with a trace of
// it when --trace names a file. The trace replaces that file once the transfer has
// ended, whether or not it succeeded.
class CommandPort {
public:
    CommandPort(const PreparedCommand& command, std::ostream& err, const char* name)
        : command_(command), err_(err), name_(name) {}

    // False (reported) when the device cannot be opened, or the trace could not be
    // kept: that is found out before the radio is asked for anything.
    bool open() {
        const auto& options = command_.options;
        if (options.trace)
            if (const auto refusal = hx::CheckWriteTarget(*options.trace))
                return fail(refusal->message);
        const auto device = hx::DeviceForPortName(*options.port, command_.session.settingDir);
        if (const auto* error = std::get_if<hx::PortNameError>(&device))
            return fail(error->message);
        try {
            port_.open(std::get<std::string>(device));
        } catch (const hx::PortError& error) {
            return fail(error.what());
        }
        if (options.trace)
            trace_.emplace(port_,
                           std::string("hxtool ") + name_ + " on " + std::get<std::string>(device));
        return true;
    }
    hx::SerialPort& link() { return trace_ ? static_cast<hx::SerialPort&>(*trace_) : port_; }
    // Keeps the trace, then closes the port. A trace that could not be written is
    // reported; the transfer's outcome stays what it was.
    void close() {
        if (trace_) {
            trace_->end();
            if (const auto error = hx::WriteFileSafely(*command_.options.trace, trace_->text()))
                fail(error->message);
        }
        port_.close();
    }

private:
    bool fail(const std::string& message) {
        err_ << "hxtool " << name_ << ": " << message << "\n";
        return false;
    }

    const PreparedCommand& command_;
    std::ostream& err_;
    const char* name_;
    hx::QtSerialPort port_;
    std::optional<hx::TracedPort> trace_;
};

} // namespace

int RunRead(const Invocation& invocation) {
    const auto prepared = PrepareCommand(
        invocation, {.output = true, .port = true, .files = 0, .trace = true}, "read");
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
    CommandPort port(command, invocation.err, "read");
    if (!port.open())
        return kExitFailure;
    const auto start = hx::StartState(session.model.profile);
    const auto result = hx::ReadRadio(port.link(), EncodeState(start, session.model),
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
    const auto prepared = PrepareCommand(invocation, {.port = true, .trace = true}, "write");
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
    CommandPort port(command, invocation.err, "write");
    if (!port.open())
        return kExitFailure;
    const auto failure =
        hx::WriteRadio(port.link(), image, ProgressBar(invocation.err, hx::kWriteBlockCount));
    port.close();
    if (failure) {
        invocation.err << "\nhxtool write: " << failure->message() << "\n";
        return kExitFailure;
    }
    return kExitSuccess;
}

} // namespace hxtool
