// Times hxprog from its start to its main window being mapped on the X server, and its
// peak memory until then, against a bare Qt main window (bench/BareWindow.cpp). Both
// run on a private Xvfb, alternately, after one unmeasured start each; the ratios of
// the medians are printed. hxprog runs as a portable copy with settings of its own, in
// English, so no first-start question comes before its window.
// Usage: build/bench/startup [runs [hxprog]]   (exit 1: a ratio above its target)
// A second argument times that hxprog (another build, say) in place of this build's.
#include "gui/window/tests/TestAppFolder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr double kTimeTarget = 1.10;
constexpr double kMemoryTarget = 1.15;
constexpr auto kMapTimeout = std::chrono::seconds(30);

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

pid_t Spawn(const std::vector<std::string>& words) {
    std::vector<char*> argv;
    for (const std::string& word : words)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    return pid;
}

// A private X server on a display number it picks itself, ended with the benchmark.
class Xvfb {
public:
    Xvfb() {
        int pipe[2];
        if (::pipe(pipe) != 0)
            return;
        pid_ = Spawn({"/usr/bin/Xvfb", "-displayfd", std::to_string(pipe[1]), "-screen", "0",
                      "1280x1024x24", "-nolisten", "tcp"});
        ::close(pipe[1]);
        char number[16] = {};
        ssize_t got = 0;
        while (got < 15 && ::read(pipe[0], number + got, 1) == 1 && number[got] != '\n')
            ++got;
        ::close(pipe[0]);
        if (got > 0)
            display_ = ":" + std::string(number, static_cast<std::size_t>(got));
    }
    ~Xvfb() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    Xvfb(const Xvfb&) = delete;
    Xvfb& operator=(const Xvfb&) = delete;

    const std::string& display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

// Watches the root window for top-level windows being mapped.
class MapWatch {
public:
    explicit MapWatch(const std::string& display)
        : connection_(xcb_connect(display.c_str(), nullptr)) {
        if (xcb_connection_has_error(connection_))
            return;
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_);
    }
    ~MapWatch() { xcb_disconnect(connection_); }
    MapWatch(const MapWatch&) = delete;
    MapWatch& operator=(const MapWatch&) = delete;

    bool ready() const { return !xcb_connection_has_error(connection_); }

    // When the next window that is not a menu or tip comes up; nothing on a timeout.
    std::optional<Clock::time_point> nextMap(Clock::time_point deadline) {
        pollfd watched{xcb_get_file_descriptor(connection_), POLLIN, 0};
        while (Clock::now() < deadline) {
            while (std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event{
                xcb_poll_for_event(connection_), &std::free}) {
                if ((event->response_type & 0x7F) != XCB_MAP_NOTIFY)
                    continue;
                const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event.get());
                if (!map->override_redirect)
                    return Clock::now();
            }
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            ::poll(&watched, 1, static_cast<int>(std::max<long>(1, left.count())));
        }
        return std::nullopt;
    }

private:
    xcb_connection_t* connection_;
    xcb_window_t root_ = 0;
};

struct Start {
    double milliseconds;
    double peakMegabytes;
};

// One start of `program`: the time to its window and its peak memory until then. It is
// ended as soon as the window is there.
std::optional<Start> TimeStart(MapWatch& watch, const std::string& program) {
    const auto begin = Clock::now();
    const pid_t pid = Spawn({program});
    if (pid < 0)
        return std::nullopt;
    const auto mapped = watch.nextMap(begin + kMapTimeout);
    ::kill(pid, SIGKILL);
    rusage usage{};
    ::wait4(pid, nullptr, 0, &usage);
    if (!mapped)
        return std::nullopt;
    return Start{std::chrono::duration<double, std::milli>(*mapped - begin).count(),
                 static_cast<double>(usage.ru_maxrss) / 1024.0};
}

// A copy of hxprog and the modules it loads in a folder of its own, so that the build
// tree's settings stay as they are.
fs::path PortableHxprog(const std::optional<fs::path>& other) {
    const fs::path folder = hx::MakeTestAppFolder("hx_startup_bench", "Language=2\n");
    for (const fs::path file : {HX_PROGRAM_FILES})
        fs::copy_file(file, folder / file.filename(), fs::copy_options::overwrite_existing);
    if (other)
        fs::copy_file(*other, folder / "hxprog", fs::copy_options::overwrite_existing);
    return folder / "hxprog";
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    const Xvfb server;
    if (server.display().empty()) {
        std::fprintf(stderr, "startup: Xvfb did not start\n");
        return 2;
    }
    ::setenv("DISPLAY", server.display().c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    MapWatch watch(server.display());
    if (!watch.ready()) {
        std::fprintf(stderr, "startup: cannot watch %s\n", server.display().c_str());
        return 2;
    }
    const fs::path hxprog =
        PortableHxprog(argc > 2 ? std::optional<fs::path>(argv[2]) : std::nullopt);
    // A runtime folder of their own, as a desktop session gives, so that neither
    // program warns of its absence on every start.
    const fs::path runtime = hxprog.parent_path() / "runtime";
    fs::create_directory(runtime);
    fs::permissions(runtime, fs::perms::owner_all);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    const std::string programs[2] = {HX_BINARY_DIR "/bench/bare_window", hxprog.string()};
    const char* names[2] = {"bare QMainWindow", "hxprog"};

    std::vector<double> milliseconds[2], megabytes[2];
    for (int run = -1; run < runs; ++run) // run -1 fills the caches and is not counted
        for (int p = 0; p < 2; ++p) {
            const auto start = TimeStart(watch, programs[p]);
            if (!start) {
                std::fprintf(stderr, "startup: %s showed no window\n", names[p]);
                return 2;
            }
            if (run < 0)
                continue;
            milliseconds[p].push_back(start->milliseconds);
            megabytes[p].push_back(start->peakMegabytes);
        }
    fs::remove_all(hxprog.parent_path());

    std::printf("start to mapped main window, median of %d alternating runs each:\n", runs);
    for (int p = 0; p < 2; ++p)
        std::printf("  %-18s %8.1f ms %8.1f MB\n", names[p], Median(milliseconds[p]),
                    Median(megabytes[p]));
    const double time = Median(milliseconds[1]) / Median(milliseconds[0]);
    const double memory = Median(megabytes[1]) / Median(megabytes[0]);
    std::printf("  %-18s %8.2f x  %8.2f x   (targets %.2f x, %.2f x)\n", "ratio", time, memory,
                kTimeTarget, kMemoryTarget);
    return time <= kTimeTarget && memory <= kMemoryTarget ? 0 : 1;
}
