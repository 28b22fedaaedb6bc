// hxsim: a radio on a pseudo-terminal, for trying the programmer without a radio.
#include "core/emulator/RadioEmulator.h"
#include "core/files/DataFile.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <poll.h>
#include <string>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace {

constexpr const char* kUsage =
    "usage: hxsim [--tty PATH] [--load FILE.dat] [--save FILE.dat] [--log FILE] [--fast]\n"
    "             [--no-lead-answer] [--wrong-lead-answer] [--short-identity]\n"
    "             [--no-ack-from N] [--short-reply-at N] [--ack-reply-at N] [--hang-up-at N]\n"
    "             [--hang-up-before N]\n"
    "Opens a pseudo-terminal and prints its device on the first line (or serves --tty),\n"
    "then answers as a radio. --save writes the memory as a data file once the line\n"
    "has been quiet for 200 ms after a write, and when hxsim ends; --log writes every\n"
    "frame received in hex, one per line. Answers go out at 9600 baud line speed\n"
    "unless --fast.\n";

constexpr long kByteNanoseconds = 1'041'667; // 10 bits at 9600 baud

volatile std::sig_atomic_t stopRequested = 0;

struct Options {
    std::string tty, load, save, log;
    bool fast = false;
    hxsim::Faults faults;
};

bool Parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        const auto number = [&](int& target) {
            const char* v = value();
            if (v)
                target = std::atoi(v);
            return v != nullptr;
        };
        const auto text = [&](std::string& target) {
            const char* v = value();
            if (v)
                target = v;
            return v != nullptr;
        };
        bool ok = true;
        if (a == "--tty")
            ok = text(o.tty);
        else if (a == "--load")
            ok = text(o.load);
        else if (a == "--save")
            ok = text(o.save);
        else if (a == "--log")
            ok = text(o.log);
        else if (a == "--fast")
            o.fast = true;
        else if (a == "--no-lead-answer")
            o.faults.silentToLeadCode = true;
        else if (a == "--wrong-lead-answer")
            o.faults.wrongLeadCodeAnswer = true;
        else if (a == "--short-identity")
            o.faults.shortIdentity = true;
        else if (a == "--no-ack-from")
            ok = number(o.faults.noAckFromBlock);
        else if (a == "--short-reply-at")
            ok = number(o.faults.shortReplyAtBlock);
        else if (a == "--ack-reply-at")
            ok = number(o.faults.ackReplyAtBlock);
        else if (a == "--hang-up-at")
            ok = number(o.faults.hangUpAtBlock);
        else if (a == "--hang-up-before")
            ok = number(o.faults.hangUpBeforeBlock);
        else
            ok = false;
        if (!ok)
            return false;
    }
    return true;
}

timespec Now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t;
}
long long Nanos(const timespec& t) {
    return t.tv_sec * 1'000'000'000LL + t.tv_nsec;
}
void SleepUntil(long long nanos) {
    const timespec t{static_cast<time_t>(nanos / 1'000'000'000),
                     static_cast<long>(nanos % 1'000'000'000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR &&
           !stopRequested) {
    }
}

void Save(const std::string& path, const hxsim::RadioMemory& memory) {
    if (path.empty())
        return;
    hx::MemoryImage image = hx::BlankImage();
    std::copy(memory.begin(), memory.end(), image.begin() + hx::kHeaderSize);
    const auto written = hx::WriteDataFile(path, image);
    if (const auto* error = std::get_if<hx::DataFileError>(&written))
        std::cerr << "hxsim: " << error->message << "\n";
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!Parse(argc, argv, options)) {
        std::cerr << kUsage;
        return 2;
    }
    hxsim::RadioMemory memory;
    memory.fill(0xFF);
    if (!options.load.empty()) {
        const auto image = hx::ReadDataFile(options.load);
        if (const auto* error = std::get_if<hx::DataFileError>(&image)) {
            std::cerr << "hxsim: " << error->message << "\n";
            return 1;
        }
        const auto& bytes = std::get<hx::MemoryImage>(image);
        std::copy(bytes.begin() + hx::kHeaderSize, bytes.end(), memory.begin());
    }

    int line = -1;
    int slaveHold = -1; // keeps the line up while the programmer closes and reopens it
    if (options.tty.empty()) {
        line = posix_openpt(O_RDWR | O_NOCTTY);
        if (line < 0 || grantpt(line) != 0 || unlockpt(line) != 0) {
            std::perror("hxsim: pseudo-terminal");
            return 1;
        }
        const char* name = ptsname(line);
        slaveHold = ::open(name, O_RDWR | O_NOCTTY);
        termios raw{};
        tcgetattr(slaveHold, &raw);
        cfmakeraw(&raw);
        tcsetattr(slaveHold, TCSANOW, &raw);
        std::cout << name << std::endl;
    } else {
        line = ::open(options.tty.c_str(), O_RDWR | O_NOCTTY);
        if (line < 0) {
            std::perror(("hxsim: " + options.tty).c_str());
            return 1;
        }
        termios raw{};
        tcgetattr(line, &raw);
        cfmakeraw(&raw);
        cfsetspeed(&raw, B9600);
        tcsetattr(line, TCSANOW, &raw);
        std::cout << options.tty << std::endl;
    }
    std::signal(SIGTERM, [](int) { stopRequested = 1; });
    std::signal(SIGINT, [](int) { stopRequested = 1; });
    std::ofstream log;
    if (!options.log.empty())
        log.open(options.log, std::ios::app);

    hxsim::RadioEmulator radio(memory, options.faults);
    long long lineFree = 0; // when the radio has heard all bytes so far
    std::uint8_t buffer[512];
    // Saving waits for a quiet line: a file written (and flushed to disk) between
    // frames could hold an answer past the programmer's wait.
    bool unsaved = false;
    while (!stopRequested) {
        pollfd p{line, POLLIN, 0};
        if (::poll(&p, 1, 200) <= 0) {
            if (unsaved)
                Save(options.save, radio.memory());
            unsaved = false;
            continue;
        }
        const ssize_t n = ::read(line, buffer, sizeof buffer);
        if (n <= 0) {
            ::usleep(10'000); // the programmer has closed the line for now
            continue;
        }
        const long long arrived = Nanos(Now());
        // The bytes take their time on the line before the radio has them all.
        lineFree = std::max(lineFree, arrived) + n * kByteNanoseconds;
        auto answer = radio.receive({buffer, static_cast<std::size_t>(n)});
        for (const auto& frame : answer.frames)
            if (log.is_open())
                log << hxsim::Hex(frame) << std::endl;
        unsaved = unsaved || answer.memoryChanged;
        if (answer.hangUp)
            break;
        long long next = lineFree;
        for (std::uint8_t byte : answer.reply) {
            if (!options.fast)
                SleepUntil(next);
            if (::write(line, &byte, 1) != 1)
                break;
            next += kByteNanoseconds;
        }
        if (!options.fast)
            lineFree = std::max(lineFree, next);
    }
    Save(options.save, radio.memory());
    ::close(line);
    if (slaveHold >= 0)
        ::close(slaveHold);
    return 0;
}
