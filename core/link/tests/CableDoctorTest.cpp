// The serial devices and the cable doctor's findings on fake system trees.
#include "core/link/CableDoctor.h"

#include "core/files/Posix.h"
#include "core/files/ProfileFile.h"
#include "core/link/LockFile.h"
#include "core/testsupport/FakeSystem.h"
#include "core/testsupport/TestFolder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hx {
namespace {

namespace fs = std::filesystem;

class CableDoctorTest : public testing::Test {
protected:
    CableReport check(const std::string& port, std::vector<unsigned> groups = {},
                      Language language = Language::English) {
        return CheckCable(
            system_.viewAs(groups.empty() ? std::vector{FakeSystem::Group()} : groups), setting_,
            port, language);
    }
    // An FTDI adapter with its 16 ms latency timer unless told otherwise.
    static FakeSystem::UsbAdapter Ftdi(std::string byId = {}, std::optional<int> latencyMs = 16) {
        FakeSystem::UsbAdapter adapter;
        adapter.byId = std::move(byId);
        adapter.latencyMs = latencyMs;
        return adapter;
    }
    // The finding whose text starts with `start`, or nothing.
    static const Finding* find(const CableReport& report, const std::string& start) {
        for (const Finding& f : report.findings)
            if (f.text.starts_with(start))
                return &f;
        return nullptr;
    }
    // The finding whose text starts with `start`, checked to be of `kind`.
    static Finding expect(const CableReport& report, const std::string& start, FindingKind kind) {
        const Finding* f = find(report, start);
        if (!f) {
            ADD_FAILURE() << "no finding starts with " << start;
            return {kind, {}, {}};
        }
        EXPECT_EQ(f->kind, kind) << start;
        return *f;
    }

    TestFolder folder_{"cable_doctor"};
    FakeSystem system_{folder_.path() / "root"};
    fs::path setting_ = folder_.path() / "Setting";
    bool madeSetting_ = fs::create_directories(setting_);
};

TEST_F(CableDoctorTest, ListsUsbAndRealBoardPortsWithWhatSysfsSays) {
    system_.plugUsb("ttyUSB0", Ftdi("usb-FTDI_FT232R_USB_UART_A10K-if00-port0"));
    system_.plugUsb("ttyACM0",
                    {"1a86", "55d4", "QinHeng", "USB Single Serial", "cdc_acm", std::nullopt, ""},
                    2);
    system_.addBoardPort("ttyS0", true);
    system_.addBoardPort("ttyS1", false);
    system_.put("sys/class/tty/console/dev", "5:1\n"); // a tty with no device behind it

    const auto devices = ListSerialDevices(system_.root());
    ASSERT_EQ(devices.size(), 3u);
    EXPECT_EQ(devices[0].device, "/dev/ttyACM0");
    EXPECT_EQ(devices[0].driver, "cdc_acm");
    EXPECT_EQ(devices[0].vendorId + ":" + devices[0].productId, "1a86:55d4");
    EXPECT_FALSE(devices[0].latencyMs);
    EXPECT_EQ(devices[1].name, "ttyS0");
    EXPECT_EQ(devices[1].driver, "serial8250");
    EXPECT_TRUE(devices[1].vendorId.empty());
    EXPECT_EQ(DescribeDevice(devices[2]),
              "/dev/ttyUSB0  0403:6001 FTDI FT232R USB UART (ftdi_sio)  "
              "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K-if00-port0");
    EXPECT_EQ(devices[2].latencyMs, 16);
    EXPECT_EQ(devices[2].latencyTimer, "/sys/bus/usb-serial/devices/ttyUSB0/latency_timer");
}

TEST_F(CableDoctorTest, PortNumbersNameDevicesByPathOrByIdAndSomeNameNone) {
    system_.plugUsb("ttyUSB0", Ftdi("usb-cable-port0"));
    system_.plugUsb("ttyUSB7", Ftdi(), 2);
    system_.plugUsb("ttyUSB8", Ftdi("usb-other-port0"), 3);
    ProfileFile(setting_ / "Ports.ini").write("Ports", "COM9", "/dev/serial/by-id/usb-other-port0");

    const CableReport report = check("COM1");
    ASSERT_EQ(report.devices.size(), 3u);
    EXPECT_EQ(report.devices[0].portNumber, 1) << "the built-in default";
    EXPECT_EQ(report.devices[1].portNumber, 0);
    EXPECT_EQ(report.devices[2].portNumber, 9) << "through its by-id name";
    EXPECT_NE(expect(report, "No COM number names /dev/ttyUSB7", FindingKind::Note)
                  .fix.find("COMn=/dev/ttyUSB7"),
              std::string::npos);
}

TEST_F(CableDoctorTest, AHealthyCableFindsNoProblem) {
    system_.plugUsb("ttyUSB0", Ftdi({}, 1));
    const CableReport report = check("COM1");
    EXPECT_FALSE(report.foundProblem());
    for (const char* ok :
         {"COM1 (/dev/ttyUSB0) is present.", "You may open /dev/ttyUSB0.",
          "No other program holds /dev/ttyUSB0.", "The adapter's latency timer is 1 ms.",
          "brltty is not installed and ModemManager is not running."})
        expect(report, ok, FindingKind::Ok);
}

TEST_F(CableDoctorTest, AnAbsentPortOrOneThatNamesNothingIsAProblem) {
    const CableReport absent = check("COM2");
    expect(absent, "COM2 (/dev/ttyUSB1) is not present.", FindingKind::Problem);
    EXPECT_TRUE(absent.foundProblem());
    EXPECT_FALSE(find(absent, "You may")) << "nothing to say about a node that is not there";

    EXPECT_TRUE(find(check("COM17"), "COM17 names no device."));
    EXPECT_TRUE(find(check("/dev/ttyUSB0", {}, Language::Chinese), "/dev/ttyUSB0 不存在。"));
}

TEST_F(CableDoctorTest, NoPermissionNamesTheGroupToJoin) {
    system_.plugUsb("ttyUSB0", Ftdi());
    EXPECT_EQ(expect(check("COM1", {12345}, Language::Chinese), "你无权打开 /dev/ttyUSB0",
                     FindingKind::Problem)
                  .fix,
              "运行 sudo usermod -aG dialout $USER，然后注销并重新登录。");

    EXPECT_TRUE(find(CheckCable({system_.root(), 0, {}}, setting_, "COM1", Language::English),
                     "You may open"))
        << "root opens everything";
}

// A node whose group has no rights opens for no group member: joining one is no fix,
// a udev rule for the adapter is, by vendor and product where they are known.
TEST_F(CableDoctorTest, ANodeWhoseGroupHasNoRightsNeedsARule) {
    system_.plugUsb("ttyUSB0", Ftdi());
    system_.addBoardPort("ttyS0", true);
    for (const char* node : {"dev/ttyUSB0", "dev/ttyS0"})
        std::filesystem::permissions(system_.root() / node,
                                     std::filesystem::perms::owner_read |
                                         std::filesystem::perms::owner_write);
    const CableReport usbReport = check("/dev/ttyUSB0");
    const Finding* usb = find(usbReport, "You may not open /dev/ttyUSB0");
    ASSERT_TRUE(usb);
    EXPECT_TRUE(usb->fix.starts_with("Joining a group cannot help")) << usb->fix;
    EXPECT_TRUE(usb->fix.ends_with(":\nSUBSYSTEM==\"tty\", ATTRS{idVendor}==\"0403\", "
                                   "ATTRS{idProduct}==\"6001\", GROUP=\"dialout\", MODE=\"0660\""))
        << usb->fix;
    const CableReport boardReport = check("/dev/ttyS0");
    const Finding* board =
        find(boardReport, "You may not open /dev/ttyS0 (group dialout, mode 0600).");
    ASSERT_TRUE(board);
    EXPECT_TRUE(board->fix.ends_with("\nKERNEL==\"ttyS0\", GROUP=\"dialout\", MODE=\"0660\""))
        << board->fix;
    EXPECT_TRUE(find(check("/dev/ttyS0", {}, Language::Chinese), "/dev/ttyS0 存在。"));
}

TEST_F(CableDoctorTest, ServicesThatGrabAdaptersAreNamedWithTheirFix) {
    system_.plugUsb("ttyUSB0", Ftdi());
    const fs::path rules = "usr/lib/udev/rules.d/85-brltty-usb.rules";
    system_.put(rules, "");
    EXPECT_TRUE(find(check("COM1"), "brltty is not installed")) << "an empty rule masks it";
    fs::remove(system_.root() / rules);
    fs::create_symlink("/dev/null", system_.root() / rules);
    EXPECT_TRUE(find(check("COM1"), "brltty is not installed")) << "so does a link to /dev/null";

    fs::remove(system_.root() / rules);
    system_.put(rules, "ENV{PRODUCT}==\"1a86/7523/*\", RUN+=\"brltty\"\n");
    expect(check("COM1"), "brltty is installed;", FindingKind::Note); // for other adapters

    system_.put(rules, "ATTRS{idVendor}==\"0403\", ATTRS{idProduct}==\"6001\", RUN+=\"brltty\"\n");
    EXPECT_NE(expect(check("COM1"), "brltty is installed;", FindingKind::Problem)
                  .fix.find("sudo apt remove brltty"),
              std::string::npos);

    fs::remove(system_.root() / rules);
    system_.addProcess(310, "brltty");
    system_.addProcess(311, "ModemManager");
    const CableReport report = check("COM1");
    expect(report, "brltty is running;", FindingKind::Problem);
    EXPECT_NE(expect(report, "ModemManager is running;", FindingKind::Note)
                  .fix.find("ID_MM_DEVICE_IGNORE"),
              std::string::npos);
}

TEST_F(CableDoctorTest, APortHeldByALiveProcessNamesIt) {
    system_.plugUsb("ttyUSB0", Ftdi("usb-cable-port0"));
    system_.addProcess(4242, "minicom", "/dev/ttyUSB0");
    expect(check("/dev/serial/by-id/usb-cable-port0"),
           "/dev/serial/by-id/usb-cable-port0 is held by minicom (PID 4242).",
           FindingKind::Problem);

    fs::remove_all(system_.root() / "proc/4242");
    system_.put("run/lock/LCK..ttyUSB0", "      5151\nhxprog\n");
    EXPECT_TRUE(find(check("COM1"), "No other program holds")) << "its owner is gone";
    system_.addProcess(5151, "hxprog");
    EXPECT_TRUE(find(check("COM1"), "/dev/ttyUSB0 is held by hxprog (PID 5151)."));
}

// Anyone may plant a lock in /tmp: a FIFO must not freeze the doctor, and a link must
// not lead it to open a device.
TEST_F(CableDoctorTest, LockFilesThatAreNoRegularFilesAreNotRead) {
    system_.plugUsb("ttyUSB0", Ftdi());
    system_.addProcess(5151, "hxprog");
    const fs::path fifo = system_.root() / "tmp/LCK..ttyUSB0";
    fs::create_directories(fifo.parent_path());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    system_.put("elsewhere", "      5151\nhxprog\n");
    fs::create_directories(system_.root() / "run/lock");
    fs::create_symlink(system_.root() / "elsewhere", system_.root() / "run/lock/LCK..ttyUSB0");
    EXPECT_TRUE(find(check("COM1"), "No other program holds"));
}

// Other programs write their locks in their own forms, and a QLockFile keeps its file
// flock-ed while it holds the port.
TEST_F(CableDoctorTest, ALockWithoutANumberOrFlockedIsTaken) {
    system_.plugUsb("ttyUSB0", Ftdi());
    system_.put("var/lock/LCK..ttyUSB0", "held by picocom\n");
    EXPECT_TRUE(find(check("COM1"), "/dev/ttyUSB0 is held by another program."));

    fs::remove(system_.root() / "var/lock/LCK..ttyUSB0");
    const fs::path lock = system_.root() / "run/lock/LCK..ttyUSB0";
    system_.put(lock, "      9999\n");
    EXPECT_TRUE(find(check("COM1"), "No other program holds")) << "its owner is gone";
    const Descriptor owner(::open(lock.c_str(), O_RDONLY | O_CLOEXEC));
    ASSERT_EQ(::flock(owner.get(), LOCK_EX), 0);
    EXPECT_TRUE(find(check("COM1"), "/dev/ttyUSB0 is held by another program."));
}

// Another user's /proc/N/fd cannot be listed; a test run as root could not show that
// with permissions, so a file stands in for the folder.
TEST_F(CableDoctorTest, ProcessesWhoseDescriptorsCannotBeReadAreNoAllClear) {
    system_.plugUsb("ttyUSB0", Ftdi());
    system_.addProcess(700, "bash");
    system_.addProcess(701, "minicom");
    fs::remove(system_.root() / "proc/701/fd");
    system_.put("proc/701/fd", "");
    const CableReport report = check("COM1");
    EXPECT_FALSE(find(report, "No other program holds"));
    EXPECT_EQ(expect(report,
                     "Could not look at 1 processes of other users to see whether they hold",
                     FindingKind::Note)
                  .fix,
              "Run sudo hxtool doctor to see them.");

    fs::remove_all(system_.root() / "proc/701");
    EXPECT_TRUE(find(check("COM1"), "No other program holds")) << "one that has ended is no matter";
}

TEST_F(CableDoctorTest, AMemberWhoseLoginLacksTheGroupOnlyLogsInAgain) {
    system_.plugUsb("ttyUSB0", Ftdi());
    const SystemView view = system_.viewAs({12345});
    system_.put("etc/passwd", "ham:x:" + std::to_string(view.uid) + ":100::/home/ham:/bin/sh\n");
    system_.put("etc/group", "dialout:x:" + std::to_string(FakeSystem::Group()) + ":pi,ham\n");
    const CableReport report = CheckCable(view, setting_, "COM1", Language::English);
    const Finding* f = find(report, "You may not open /dev/ttyUSB0");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->fix, "You are in group dialout already, but this login does not have it yet: log "
                      "out and in again.");
    const CableReport chinese = CheckCable(view, setting_, "COM1", Language::Chinese);
    ASSERT_TRUE(find(chinese, "你无权打开"));
    EXPECT_EQ(find(chinese, "你无权打开")->fix,
              "你已在 dialout 组中，但当前登录尚未生效：请注销并重新登录。");
}

TEST_F(CableDoctorTest, ABareNameInThePortTableIsADeviceBelowDev) {
    system_.plugUsb("ttyUSB0", Ftdi());
    system_.put(setting_ / "Ports.ini", "[Ports]\nCOM3=ttyUSB0\n");
    const CableReport report = check("COM3");
    EXPECT_TRUE(find(report, "COM3 (/dev/ttyUSB0) is present."));
    EXPECT_TRUE(find(report, "You may open /dev/ttyUSB0."));
    ASSERT_EQ(report.devices.size(), 1u);
    EXPECT_EQ(report.devices[0].portNumber, 1) << "COM1 names it too, by the built-in table";
}

// A damaged tree must not throw or loop: a sysfs folder that links back to itself, an
// attribute that cannot be read, a /proc name too long for a number.
TEST_F(CableDoctorTest, OddTreesAreWalkedWithoutThrowingOrLooping) {
    system_.plugUsb("ttyUSB0", Ftdi());
    const fs::path loop = system_.root() / "sys/class/tty/ttyS9";
    fs::create_directories(loop.parent_path());
    fs::create_symlink("ttyS9", loop);
    const fs::path product =
        system_.root() / "sys/devices/pci0000:00/0000:00:14.0/usb1/1-1/product";
    fs::remove(product);
    fs::create_directory(product);
    fs::create_directories(system_.root() / "proc/99999999999999999999999");
    std::vector<SerialDevice> devices;
    ASSERT_NO_THROW(devices = ListSerialDevices(system_.root()));
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].product, "");
    EXPECT_EQ(devices[0].vendorId, "0403");
    ASSERT_NO_THROW(check("COM1"));
}

// A damaged lock file must not name a process number that no process can have: kill(-1)
// would ask after every process of the user.
TEST(LockFile, OwnersAreProcessNumbersAProcessCanHave) {
    EXPECT_EQ(ReadLockOwner("      4711\nhxtool\n").pid, 4711);
    EXPECT_EQ(ReadLockOwner("      4711\nhxtool\n").program, "hxtool");
    for (const char* content : {"4294967295\n", "-1\n", "0\n", "12ab\n", ""})
        EXPECT_EQ(ReadLockOwner(content).pid, 0) << content;
}

} // namespace
} // namespace hx
