// Times a full write and a full read against hxsim at 9600 baud line speed and
// prints each time over the time its bytes need on the line (10 bits a byte).
#include "adapters/serial/QtSerialPort.h"
#include "core/link/Protocol.h"
#include "core/testsupport/EmulatorProcess.h"

#include <QCoreApplication>
#include <chrono>
#include <cstdio>

namespace {

constexpr double kSecondsPerByte = 10.0 / 9600.0;

// Both directions of each sequence: handshake, then the frames and their answers.
constexpr int kHandshakeBytes = 8 + 1 + 1 + 8;
constexpr int kWriteLineBytes = kHandshakeBytes + 2 + hx::kWriteBlockCount * (12 + 1);
constexpr int kReadLineBytes = kHandshakeBytes + hx::kReadBlockCount * (2 + 4 + 12) + 1;

template <typename F> double Seconds(F&& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    EmulatorProcess sim({});
    hx::QtSerialPort port;
    port.open(sim.device());
    const hx::MemoryImage image = hx::BlankImage();
    bool ok = true;
    const double write = Seconds([&] { ok = !hx::WriteRadio(port, image, {}) && ok; });
    const double read = Seconds([&] {
        ok = std::holds_alternative<hx::MemoryImage>(hx::ReadRadio(port, image, {})) && ok;
    });
    const double writeLimit = kWriteLineBytes * kSecondsPerByte;
    const double readLimit = kReadLineBytes * kSecondsPerByte;
    std::printf("write: %.3f s, line time %.3f s, ratio %.3f\n", write, writeLimit,
                write / writeLimit);
    std::printf("read:  %.3f s, line time %.3f s, ratio %.3f\n", read, readLimit, read / readLimit);
    return ok ? 0 : 1;
}
