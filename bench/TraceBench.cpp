// Times a full write against hxsim at 9600 baud line speed with and without a serial
// trace, runs taken in turn, and prints the traced times over the untraced one: the
// trace alone, and with its file written.
#include "adapters/serial/QtSerialPort.h"
#include "core/files/SafeFile.h"
#include "core/link/Protocol.h"
#include "core/link/Trace.h"
#include "core/testsupport/EmulatorProcess.h"

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

template <typename F> double Seconds(F&& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    EmulatorProcess sim({});
    hx::QtSerialPort port;
    port.open(sim.device());
    const hx::MemoryImage image = hx::BlankImage();
    const auto file = std::filesystem::temp_directory_path() / "hxprog-trace-bench.txt";
    bool ok = true;
    std::vector<double> plain, traced, saved;
    for (int run = 0; run < runs; ++run) {
        plain.push_back(Seconds([&] { ok = !hx::WriteRadio(port, image, {}) && ok; }));
        std::optional<hx::TracedPort> trace;
        traced.push_back(Seconds([&] {
            trace.emplace(port, "bench write");
            ok = !hx::WriteRadio(*trace, image, {}) && ok;
        }));
        saved.push_back(traced.back() + Seconds([&] {
                            trace->end("success");
                            ok = !hx::WriteFileSafely(file, trace->text()) && ok;
                        }));
    }
    std::filesystem::remove(file);
    const double base = Median(plain);
    std::printf("write, median of %d: %.3f s untraced\n", runs, base);
    std::printf("traced:              %.3f s, ratio %.4f\n", Median(traced), Median(traced) / base);
    std::printf("traced, file saved:  %.3f s, ratio %.4f\n", Median(saved), Median(saved) / base);
    return ok ? 0 : 1;
}
