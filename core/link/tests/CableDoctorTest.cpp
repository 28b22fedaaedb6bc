// The serial devices and the cable doctor's findings on fake system trees.
#include "core/link/CableDoctor.h"

#include "core/files/ProfileFile.h"
#include "core/link/LockFile.h"
#include "core/testsupport/FakeSystem.h"
#include "core/testsupport/TestFolder.h"

#include <gtest/gtest.h>
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
    const Finding* unnamed = find(report, "No COM number names /dev/ttyUSB7");
    ASSERT_TRUE(unnamed);
    EXPECT_EQ(unnamed->kind, FindingKind::Note);
    EXPECT_NE(unnamed->fix.find("COMn=/dev/ttyUSB7"), std::string::npos);
}

TEST_F(CableDoctorTest, AHealthyCableFindsNoProblem) {
    system_.plugUsb("ttyUSB0", Ftdi({}, 1));
    const CableReport report = check("COM1");
    EXPECT_FALSE(report.foundProblem());
    for (const char* ok :
         {"COM1 (/dev/ttyUSB0) is present.", "You may open /dev/ttyUSB0.",
          "No other program holds /dev/ttyUSB0.", "The adapter's latency timer is 1 ms.",
          "brltty is not installed and ModemManager is not running."}) {
        const Finding* f = find(report, ok);
        ASSERT_TRUE(f) << ok;
        EXPECT_EQ(f->kind, FindingKind::Ok) << ok;
    }
}

TEST_F(CableDoctorTest, AnAbsentPortOrOneThatNamesNothingIsAProblem) {
    const CableReport absent = check("COM2");
    const Finding* f = find(absent, "COM2 (/dev/ttyUSB1) is not present.");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->kind, FindingKind::Problem);
    EXPECT_TRUE(absent.foundProblem());
    EXPECT_FALSE(find(absent, "You may")) << "nothing to say about a node that is not there";

    EXPECT_TRUE(find(check("COM17"), "COM17 names no device."));
    EXPECT_TRUE(find(check("/dev/ttyUSB0", {}, Language::Chinese), "/dev/ttyUSB0 不存在。"));
}

TEST_F(CableDoctorTest, NoPermissionNamesTheGroupToJoin) {
    system_.plugUsb("ttyUSB0", Ftdi());
    const CableReport report = check("COM1", {12345});
    const Finding* f = find(report, "You may not open /dev/ttyUSB0 (group dialout, mode 0660).");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->kind, FindingKind::Problem);
    EXPECT_EQ(f->fix, "Run sudo usermod -aG dialout $USER, then log out and in again.");

    const CableReport chinese = check("COM1", {12345}, Language::Chinese);
    const Finding* zh = find(chinese, "你无权打开 /dev/ttyUSB0");
    ASSERT_TRUE(zh);
    EXPECT_EQ(zh->fix, "运行 sudo usermod -aG dialout $USER，然后注销并重新登录。");

    EXPECT_TRUE(find(CheckCable({system_.root(), 0, {}}, setting_, "COM1", Language::English),
                     "You may open"))
        << "root opens everything";
}

TEST_F(CableDoctorTest, ServicesThatGrabAdaptersAreNamedWithTheirFix) {
    system_.plugUsb("ttyUSB0", Ftdi());
    system_.put("usr/lib/udev/rules.d/85-brltty-usb.rules", "");
    const CableReport first = check("COM1");
    const Finding* installed = find(first, "brltty is installed;");
    ASSERT_TRUE(installed);
    EXPECT_EQ(installed->kind, FindingKind::Problem);
    EXPECT_NE(installed->fix.find("sudo apt remove brltty"), std::string::npos);

    system_.addProcess(310, "brltty");
    system_.addProcess(311, "ModemManager");
    const CableReport report = check("COM1");
    EXPECT_TRUE(find(report, "brltty is running;"));
    const Finding* mm = find(report, "ModemManager is running;");
    ASSERT_TRUE(mm);
    EXPECT_EQ(mm->kind, FindingKind::Note);
    EXPECT_NE(mm->fix.find("ID_MM_DEVICE_IGNORE"), std::string::npos);
}

TEST_F(CableDoctorTest, APortHeldByALiveProcessNamesIt) {
    system_.plugUsb("ttyUSB0", Ftdi("usb-cable-port0"));
    system_.addProcess(4242, "minicom", "/dev/ttyUSB0");
    const CableReport report = check("/dev/serial/by-id/usb-cable-port0");
    const Finding* byDescriptor = find(report, "/dev/serial/by-id/usb-cable-port0 is held by");
    ASSERT_TRUE(byDescriptor);
    EXPECT_EQ(byDescriptor->text,
              "/dev/serial/by-id/usb-cable-port0 is held by minicom (PID 4242).");
    EXPECT_EQ(byDescriptor->kind, FindingKind::Problem);

    fs::remove_all(system_.root() / "proc/4242");
    system_.put("run/lock/LCK..ttyUSB0", "      5151\nhxprog\n");
    EXPECT_TRUE(find(check("COM1"), "No other program holds")) << "its owner is gone";
    system_.addProcess(5151, "hxprog");
    EXPECT_TRUE(find(check("COM1"), "/dev/ttyUSB0 is held by hxprog (PID 5151)."));
}

TEST_F(CableDoctorTest, ALatencyTimerAboveOneMillisecondIsANote) {
    system_.plugUsb("ttyUSB0", Ftdi());
    const CableReport report = check("COM1");
    const Finding* f = find(report, "The adapter's latency timer is 16 ms;");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->kind, FindingKind::Note);
    EXPECT_EQ(f->fix, "echo 1 | sudo tee /sys/bus/usb-serial/devices/ttyUSB0/latency_timer (until "
                      "the adapter is plugged in again)");
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
