// Times a clone on three ports against one radio's sequence on one port, both against
// hxsim at 9600 baud line speed, and prints the ratio: the ports share nothing, so
// three radios should take little longer than one.
#include "adapters/serial/QtSerialPort.h"
#include "adapters/serial/QtStationThread.h"
#include "core/image/ImageDecoder.h"
#include "core/image/ImageEncoder.h"
#include "core/model/ModelFiles.h"
#include "core/production/CloneRun.h"
#include "core/testsupport/EmulatorProcess.h"

#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

struct Timing {
    double seconds = 0;
    bool allPassed = false;
};

// Backup, write and verify of one radio on each port.
Timing Clone(const hx::CloneSetup& setup, std::vector<std::string> ports) {
    hx::CloneObserver quiet;
    hx::StopSignal stop;
    const std::size_t count = ports.size();
    const auto start = std::chrono::steady_clock::now();
    hx::CloneRun run(setup, std::move(ports), hx::OpenQtSerialPort, quiet, stop,
                     hx::QtStationThreads());
    run.waitForEnd(std::chrono::minutes(1));
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return {seconds, run.totals().passed == static_cast<int>(count)};
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    char pattern[] = "/tmp/clone-bench-XXXXXX";
    if (::mkdtemp(pattern) == nullptr)
        return 1;
    const std::filesystem::path folder = pattern;
    EmulatorProcess sim({"--radios", "3"});
    const auto model =
        hx::LoadModelData(std::filesystem::path(HX_SOURCE_DIR) / "data/Setting", 7200);
    const auto state = hx::StartState(model.profile);
    hx::CloneSetup setup{hx::EncodeImage({state.channels, state.functions, state.subModel,
                                          model.modelCode, model.profile, model.tones}),
                         model,
                         "bench.dat",
                         "",
                         {true, folder / "Backups"}};
    setup.writeAnyway = true; // the emulated radios start blank, of no band
    setup.count = 1;
    setup.waitForStart = false;
    setup.logFile = folder / "units.csv";

    const Timing one = Clone(setup, {sim.devices()[0]});
    const Timing three = Clone(setup, sim.devices());
    std::filesystem::remove_all(folder);
    std::printf("one radio:    %.3f s (backup, write, verify)\n", one.seconds);
    std::printf("three ports:  %.3f s, ratio %.3f (target at most 1.2)\n", three.seconds,
                three.seconds / one.seconds);
    return one.allPassed && three.allPassed ? 0 : 1;
}
