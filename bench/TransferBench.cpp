// Times a full write and a full read against hxsim at 9600 baud line speed and
// prints each time over the time its bytes need on the line (10 bits a byte); then
// the same transfers with the default patience over those with the least, run
// alternately, which must cost a healthy radio nothing.
// build/bench/transfer [runs]
#include "adapters/serial/QtSerialPort.h"
#include "core/link/Protocol.h"
#include "core/testsupport/EmulatorProcess.h"

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

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

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Times {
    std::vector<double> write, read;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    EmulatorProcess sim({});
    const hx::MemoryImage image = hx::BlankImage();
    bool ok = true;
    // Each transfer on the port opened anew, as hxtool runs it, and after a quiet
    // moment: the radio answers the acknowledgement that ends a read.
    const auto transfer = [&](const auto& run) {
        hx::QtSerialPort port;
        port.open(sim.device());
        std::optional<hx::LinkFailure> failure;
        const double seconds = Seconds([&] { failure = run(port); });
        port.close();
        if (failure) {
            std::fprintf(stderr, "%s\n", failure->message().c_str());
            ok = false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        return seconds;
    };
    const auto time = [&](hx::Patience patience, Times& times) {
        times.write.push_back(transfer(
            [&](hx::SerialPort& port) { return hx::WriteRadio(port, image, {}, patience); }));
        times.read.push_back(transfer([&](hx::SerialPort& port) -> std::optional<hx::LinkFailure> {
            auto read = hx::ReadRadio(port, image, {}, patience);
            if (auto* failure = std::get_if<hx::LinkFailure>(&read))
                return *failure;
            return std::nullopt;
        }));
    };
    Times patient, least;
    for (int run = 0; run < runs; ++run) {
        time(hx::kDefaultPatience, patient);
        time(hx::kLeastPatience, least);
    }
    const double write = Median(patient.write);
    const double read = Median(patient.read);
    const double writeLimit = kWriteLineBytes * kSecondsPerByte;
    const double readLimit = kReadLineBytes * kSecondsPerByte;
    std::printf("write: %.3f s, line time %.3f s, ratio %.3f\n", write, writeLimit,
                write / writeLimit);
    std::printf("read:  %.3f s, line time %.3f s, ratio %.3f\n", read, readLimit, read / readLimit);
    std::printf("patience %lld ms over %lld ms, median of %d: write %.3f, read %.3f\n",
                static_cast<long long>(hx::kDefaultPatience.count()),
                static_cast<long long>(hx::kLeastPatience.count()), runs,
                write / Median(least.write), read / Median(least.read));
    if (!ok)
        std::fprintf(stderr, "a transfer failed: the figures do not count\n");
    return ok ? 0 : 1;
}
