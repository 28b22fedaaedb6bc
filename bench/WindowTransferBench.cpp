// Times the window's write and read against hxtool's transfer of the same image, both
// against one hxsim at 9600 baud line speed, in alternating runs, and prints the
// ratio of their best times (what the machine's other load cannot add to) and of
// their medians. The window draws on the platform Qt is given (offscreen when there is
// no display); run it under xvfb-run or on a desktop for a real X server. A second
// round makes every paint of the progress bar take `paint-ms` longer, as on a desktop
// whose X server or compositor is slow to take each picture.
// Usage: build/bench/window_transfer [runs [paint-ms]]   (exit 1: a ratio above target)
#include "adapters/serial/QtSerialPort.h"
#include "core/files/ProfileFile.h"
#include "core/link/Protocol.h"
#include "core/testsupport/EmulatorProcess.h"
#include "gui/dialogs/CommunicationDialog.h"
#include "gui/window/MainWindow.h"
#include "gui/window/tests/ScriptedDialogs.h"
#include "gui/window/tests/TestAppFolder.h"

#include <QApplication>
#include <QProgressBar>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

constexpr double kTarget = 1.02; // the window may take this much of hxtool's time

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Best(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Makes each paint of a progress bar take `extra` longer.
class SlowBarPaint : public QObject {
public:
    explicit SlowBarPaint(std::chrono::milliseconds extra) : extra_(extra) {}
    bool eventFilter(QObject* target, QEvent* event) override {
        if (event->type() == QEvent::Paint && qobject_cast<QProgressBar*>(target))
            std::this_thread::sleep_for(extra_);
        return false;
    }

private:
    std::chrono::milliseconds extra_;
};

// hxtool's transfer: open the port, move the image, close it.
double ToolSeconds(const std::string& device, const hx::MemoryImage& image, bool read) {
    const auto start = Clock::now();
    hx::QtSerialPort port;
    port.open(device);
    const bool ok = read ? std::holds_alternative<hx::MemoryImage>(hx::ReadRadio(port, image, {}))
                         : !hx::WriteRadio(port, image, {});
    port.close();
    if (!ok)
        std::fprintf(stderr, "hxtool's %s failed\n", read ? "read" : "write");
    return SecondsSince(start);
}

// The window's transfer: the button of the communication dialog, from press to return.
double WindowSeconds(hx::MainWindow& window, hx::ScriptedDialogs& dialogs, bool read) {
    double seconds = 0;
    dialogs.modal = {[&](QDialog& dialog) {
        auto& commun = static_cast<hx::CommunicationDialog&>(dialog);
        // Painting starts once the display shows the dialog, as for a user.
        const auto shown = Clock::now();
        while (!commun.windowHandle()->isExposed() && SecondsSince(shown) < 5)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        const auto start = Clock::now();
        commun.transferButton->click();
        seconds = SecondsSince(start);
    }};
    window.action(read ? "readRadioAction" : "writeRadioAction")->trigger();
    if (!dialogs.messages.empty())
        std::fprintf(stderr, "the window's %s failed: %s\n", read ? "read" : "write",
                     dialogs.messages.back().text.c_str());
    dialogs.messages.clear();
    return seconds;
}

// One round of alternating runs; false when a ratio misses the target.
bool Round(hx::MainWindow& window, hx::ScriptedDialogs& dialogs, const std::string& device,
           int runs) {
    bool met = true;
    for (const bool read : {false, true}) {
        std::vector<double> tool, shown;
        for (int i = 0; i < runs; ++i) {
            shown.push_back(WindowSeconds(window, dialogs, read));
            tool.push_back(ToolSeconds(device, window.state().image, read));
        }
        const double ratio = Best(shown) / Best(tool);
        met = met && ratio <= kTarget;
        std::printf("  %-5s  best: hxtool %.3f s, window %.3f s, ratio %.3f;  median ratio %.3f\n",
                    read ? "read" : "write", Best(tool), Best(shown), ratio,
                    Median(shown) / Median(tool));
    }
    return met;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::chrono::milliseconds paint(argc > 2 ? std::max(0, std::atoi(argv[2])) : 2);

    EmulatorProcess sim({});
    const auto folder = hx::MakeTestAppFolder("hx_window_bench", "Language=2\nCOM=5\n");
    hx::ProfileFile(folder / "Setting/Ports.ini").write("Ports", "COM5", sim.device());
    hx::ScriptedDialogs dialogs;
    hx::MainWindow window(folder, dialogs, hx::OpenQtSerialPort);
    window.startUp();
    window.show();

    std::printf("platform %s, %d runs each; target: best window <= %.2f x best hxtool\n",
                qPrintable(QGuiApplication::platformName()), runs, kTarget);
    std::printf("as painted:\n");
    bool met = Round(window, dialogs, sim.device(), runs);
    SlowBarPaint slow(paint);
    app.installEventFilter(&slow);
    std::printf("each paint of the bar %lld ms slower:\n", static_cast<long long>(paint.count()));
    met = Round(window, dialogs, sim.device(), runs) && met;
    std::filesystem::remove_all(folder);
    return met ? 0 : 1;
}
