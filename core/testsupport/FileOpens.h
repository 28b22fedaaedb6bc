#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

// Counts how often a file is opened, as the kernel sees it, so a test can tell how
// many times some code reads a file without any hook in that code.
class FileOpens {
public:
    explicit FileOpens(const std::filesystem::path& file)
        : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        // Opens alternate with closes in the queue, so the kernel never merges two
        // opens into one event.
        if (fd_ < 0 || ::inotify_add_watch(fd_, file.c_str(), IN_OPEN | IN_CLOSE) < 0)
            ADD_FAILURE() << "cannot watch " << file;
    }
    ~FileOpens() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileOpens(const FileOpens&) = delete;
    FileOpens& operator=(const FileOpens&) = delete;

    // The opens since the watch began.
    int count() {
        alignas(inotify_event) std::array<char, 4096> buffer;
        for (ssize_t got; (got = ::read(fd_, buffer.data(), buffer.size())) > 0;)
            for (std::size_t at = 0; at < static_cast<std::size_t>(got);) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + at);
                opens_ += (event->mask & IN_OPEN) != 0;
                at += sizeof(inotify_event) + event->len;
            }
        return opens_;
    }

private:
    int fd_;
    int opens_ = 0;
};
