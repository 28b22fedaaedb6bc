#include "programs/hxsim/RadioLine.h"

#include "core/image/DataFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <poll.h>
#include <random>
#include <termios.h>
#include <time.h>
#include <unistd.h>
#include <utility>

namespace hxsim {
namespace {

constexpr long kByteNanoseconds = 1'041'667; // 10 bits at 9600 baud

long long Now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1'000'000'000LL + t.tv_nsec;
}

void SleepUntil(long long nanos, const std::atomic<bool>& stop) {
    const timespec t{static_cast<time_t>(nanos / 1'000'000'000),
                     static_cast<long>(nanos % 1'000'000'000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR && !stop) {
    }
}

void Save(const std::string& path, const RadioMemory& memory) {
    if (path.empty())
        return;
    hx::MemoryImage image = hx::BlankImage();
    std::copy(memory.begin(), memory.end(), image.begin() + hx::kHeaderSize);
    const auto written = hx::WriteDataFile(path, image);
    if (const auto* error = std::get_if<hx::DataFileError>(&written))
        std::cerr << "hxsim: " << error->message << "\n";
}

void MakeRaw(int fd, bool lineSpeed) {
    termios raw{};
    tcgetattr(fd, &raw);
    cfmakeraw(&raw);
    if (lineSpeed)
        cfsetspeed(&raw, B9600);
    tcsetattr(fd, TCSANOW, &raw);
}

// The radio's time before each answer, drawn anew for every answer.
class AnswerDelay {
public:
    explicit AnswerDelay(const Latency& latency) : latency_(latency) {}
    long long nanoseconds() {
        std::uniform_real_distribution<double> percent(0, 100);
        if (latency_.spikePercent > 0 && percent(random_) < latency_.spikePercent)
            return latency_.spike * 1'000'000LL;
        std::uniform_int_distribution<int> ms(latency_.least, latency_.most);
        return ms(random_) * 1'000'000LL;
    }

private:
    Latency latency_;
    std::mt19937 random_{std::random_device{}()};
};

} // namespace

std::optional<RadioLine> RadioLine::OpenPseudoTerminal() {
    const int fd = posix_openpt(O_RDWR | O_NOCTTY);
    if (fd < 0 || grantpt(fd) != 0 || unlockpt(fd) != 0) {
        std::perror("hxsim: pseudo-terminal");
        if (fd >= 0)
            ::close(fd);
        return std::nullopt;
    }
    const std::string name = ptsname(fd);
    const int hold = ::open(name.c_str(), O_RDWR | O_NOCTTY);
    MakeRaw(hold, false);
    return RadioLine(fd, hold, name);
}

std::optional<RadioLine> RadioLine::OpenDevice(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0) {
        std::perror(("hxsim: " + path).c_str());
        return std::nullopt;
    }
    MakeRaw(fd, true);
    return RadioLine(fd, -1, path);
}

RadioLine::RadioLine(RadioLine&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), hold_(std::exchange(other.hold_, -1)),
      device_(std::move(other.device_)) {}

RadioLine::~RadioLine() {
    if (fd_ >= 0)
        ::close(fd_);
    if (hold_ >= 0)
        ::close(hold_);
}

void Serve(RadioLine line, const RadioSetup& setup, const std::atomic<bool>& stop) {
    std::ofstream log;
    if (!setup.log.empty())
        log.open(setup.log, std::ios::app);
    RadioEmulator radio(setup.memory, setup.faults);
    AnswerDelay delay(setup.latency);
    long long lineFree = 0;  // when the radio has heard all bytes so far
    long long deafUntil = 0; // while it restarts after a write
    std::uint8_t buffer[512];
    // Saving waits for a quiet line: a file written (and flushed to disk) between
    // frames could hold an answer past the programmer's wait.
    bool unsaved = false;
    while (!stop) {
        pollfd p{line.fd(), POLLIN, 0};
        if (::poll(&p, 1, 200) <= 0) {
            if (unsaved)
                Save(setup.save, radio.memory());
            unsaved = false;
            continue;
        }
        const ssize_t n = ::read(line.fd(), buffer, sizeof buffer);
        if (n <= 0) {
            ::usleep(10'000); // the programmer has closed the line for now
            continue;
        }
        if (Now() < deafUntil)
            continue;
        // The bytes take their time on the line before the radio has them all.
        lineFree = std::max(lineFree, Now()) + n * kByteNanoseconds;
        auto answer = radio.receive({buffer, static_cast<std::size_t>(n)});
        if (answer.restarting)
            deafUntil = Now() + setup.deafAfterWrite * 1'000'000LL;
        for (const auto& frame : answer.frames)
            if (log.is_open())
                log << hx::HexBytes(frame) << std::endl;
        unsaved = unsaved || answer.memoryChanged;
        if (answer.hangUp)
            break;
        const long long answerDelay = answer.reply.empty() ? 0 : delay.nanoseconds();
        if (setup.fast && answerDelay > 0)
            SleepUntil(Now() + answerDelay, stop);
        long long next = lineFree + answerDelay;
        for (std::uint8_t byte : answer.reply) {
            if (!setup.fast)
                SleepUntil(next, stop);
            if (::write(line.fd(), &byte, 1) != 1)
                break;
            next += kByteNanoseconds;
        }
        if (!setup.fast)
            lineFree = std::max(lineFree, next);
    }
    Save(setup.save, radio.memory());
}

} // namespace hxsim
