#pragma once

#include <array>
#include <string>

namespace hx {

// The folders QSerialPort tries for its locks, in its order; other serial programs
// use the first or the last of them.
inline constexpr std::array kLockFolders = {"/var/lock",         "/etc/locks", "/var/spool/locks",
                                            "/var/spool/uucp",   "/tmp",       "/var/tmp",
                                            "/var/lock/lockdev", "/run/lock"};

// The name of the lock file that serial programs take for `device`: "LCK.." and the
// device's name below /dev with slashes as underscores ("/dev/ttyUSB0" gives
// "LCK..ttyUSB0"); a bare name counts as below /dev.
std::string LockFileName(const std::string& device);

// What a lock file says about its owner.
struct LockOwner {
    long pid = 0;        // 0 when the first line holds no process number
    std::string program; // the second line, which QLockFile writes and others do not
};
LockOwner ReadLockOwner(const std::string& content);

// What a lock file says about its port, read without touching it. `flocked`: a
// process keeps the file flock-ed, as QLockFile does while it holds the port;
// `ownerRunning`: the process the file names runs.
enum class LockState {
    Stale, // its owner has gone: the port is free
    Blank, // no content: left behind, or just made by a program about to write in it
    Owned, // held by the process it names
    Held,  // held by a process it does not name, or in a form other programs write
};
LockState JudgeLock(const std::string& content, bool flocked, bool ownerRunning);

} // namespace hx
