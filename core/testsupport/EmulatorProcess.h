#pragma once

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

// hxsim started as a child process (tests, benchmarks); the devices it serves are
// its first lines, one for each of its radios.
class EmulatorProcess {
public:
    explicit EmulatorProcess(std::vector<std::string> args) {
        const auto radios = std::find(args.begin(), args.end(), "--radios");
        const int lines =
            radios != args.end() && radios + 1 != args.end() ? std::stoi(radios[1]) : 1;
        args.insert(args.begin(), std::string(HX_BINARY_DIR) + "/hxsim");
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        int out[2];
        if (::pipe(out) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        std::string line;
        for (char c; static_cast<int>(devices_.size()) < lines && ::read(out[0], &c, 1) == 1;) {
            if (c != '\n') {
                line += c;
                continue;
            }
            devices_.push_back(line);
            line.clear();
        }
        ::close(out[0]);
    }
    ~EmulatorProcess() { stop(); }
    EmulatorProcess(const EmulatorProcess&) = delete;
    EmulatorProcess& operator=(const EmulatorProcess&) = delete;

    // Empty when hxsim did not start.
    std::string device() const { return devices_.empty() ? std::string() : devices_.front(); }
    const std::vector<std::string>& devices() const { return devices_; }
    void stop() {
        if (pid_ <= 0)
            return;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    std::vector<std::string> devices_;
};
