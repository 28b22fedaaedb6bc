#pragma once

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// Runs `body`, which checks what an ordinary user meets, such as a folder that refuses
// new files or a file it may not read. Root would pass every such check, so as root the
// body runs in a child process that has become nobody and owns `folder`; its failures
// fail the test.
template <typename Body> void AsOrdinaryUser(const std::filesystem::path& folder, Body body) {
    if (::geteuid() != 0) {
        body();
        return;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        const bool dropped = ::chown(folder.c_str(), kNobody, kNobody) == 0 &&
                             ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
        if (dropped)
            body();
        ::_exit(dropped && !testing::Test::HasFailure() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the checks failed as nobody";
}
