// The window against the radio emulator on a pseudo-terminal: the port and
// communication dialogs, both transfers, every fault, and the outcome in the
// status bar.
#include "adapters/serial/PortLock.h"
#include "adapters/serial/QtSerialPort.h"
#include "core/files/DataFile.h"
#include "core/files/ProfileFile.h"
#include "core/testsupport/EmulatorProcess.h"
#include "core/testsupport/FakeSystem.h"
#include "gui/dialogs/CableCheckDialog.h"
#include "gui/dialogs/CommunicationDialog.h"
#include "gui/dialogs/ComparisonDialog.h"
#include "gui/dialogs/PortDialog.h"
#include "gui/window/MainWindow.h"
#include "gui/window/tests/ScriptedDialogs.h"
#include "gui/window/tests/TestAppFolder.h"

#include <QScreen>
#include <QTest>
#include <fstream>
#include <memory>

namespace hx {

namespace fs = std::filesystem;

class TransferTest : public QObject {
    Q_OBJECT

    fs::path folder_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<EmulatorProcess> sim_;
    std::vector<int> barValues_;
    std::vector<QString> statusWhileRunning_;
    std::vector<fs::path> locks_; // lock files made here; one left behind holds its pty

    MainWindow& start(const std::string& settings = "Language=2\nCOM=5\n") {
        folder_ = MakeTestAppFolder("hxprog_transfer", settings);
        dialogs_ = ScriptedDialogs();
        window_ = std::make_unique<MainWindow>(folder_, dialogs_, OpenQtSerialPort);
        window_->startUp();
        return *window_;
    }
    // Starts the emulator and names it as port 5.
    void startRadio(std::vector<std::string> args, bool fast = true) {
        if (fast)
            args.push_back("--fast");
        sim_ = std::make_unique<EmulatorProcess>(args);
        QVERIFY(!sim_->device().empty());
        mapPort(5, sim_->device());
    }
    void mapPort(int number, const std::string& device) {
        ProfileFile(folder_ / "Setting/Ports.ini")
            .write("Ports", "COM" + std::to_string(number), device);
    }
    void edit(int channel, const char* rx, const char* tx = "") {
        auto* e = window_->editor();
        e->selectChannel(channel);
        e->receiveFrequencyBox->setText(rx);
        e->transmitFrequencyBox->setText(tx);
        e->storeChannel();
    }
    // The communication dialog's script: press its button, noting every bar value
    // and the status text shown with it.
    std::function<void(QDialog&)> pressReadWrite() {
        return [this](QDialog& dialog) {
            auto& commun = static_cast<CommunicationDialog&>(dialog);
            connect(commun.progressBar, &QProgressBar::valueChanged, this, [this](int v) {
                barValues_.push_back(v);
                statusWhileRunning_.push_back(window_->statusPanel(1)->text());
            });
            QCOMPARE(commun.transferButton->text(),
                     QString(commun.isReadMode() ? "&Read" : "&Write"));
            commun.transferButton->click();
            QCOMPARE(commun.progressBar->maximum(), commun.isReadMode() ? 127 : 122);
        };
    }
    static std::function<void(QDialog&)> choosePort(int number) {
        return [number](QDialog& dialog) {
            auto& ports = static_cast<PortDialog&>(dialog);
            ports.portOptions[static_cast<std::size_t>(number - 1)]->setChecked(true);
            ports.okButton->click();
        };
    }
    std::string status() const { return window_->statusPanel(1)->text().toStdString(); }
    std::string lastMessage() const {
        return dialogs_.messages.empty() ? "" : dialogs_.messages.back().text;
    }
    std::string storedSetting(const char* key) const {
        return ProfileFile(folder_ / "Setting/Config_7200.ini").read("Setting", key, "", 300);
    }
    void driveTimerToReady() {
        QTimer& timer = window_->transfers().outcomeTimer();
        QVERIFY(timer.isActive());
        QCOMPARE(timer.interval(), 3000);
        window_->transfers().outcomeTimerTick();
        QVERIFY(status() != "Ready"); // the first tick shows nothing new
        window_->transfers().outcomeTimerTick();
        QCOMPARE(status(), std::string("Ready"));
        QVERIFY(!timer.isActive());
    }
    void expectBarRanUpTo(int last) {
        QCOMPARE(barValues_.front(), 1); // 0 was already showing
        QCOMPARE(barValues_.back(), last);
        QCOMPARE(int(barValues_.size()), last);
        QCOMPARE(statusWhileRunning_.back(), QString("Communicating,wait a minute    "));
    }

private slots:
    void cleanup() {
        const bool unscripted = dialogs_.unscripted;
        window_.reset();
        sim_.reset();
        barValues_.clear();
        statusWhileRunning_.clear();
        fs::remove_all(folder_);
        for (const auto& lock : locks_)
            fs::remove(lock);
        locks_.clear();
        QVERIFY2(!unscripted, "an unexpected question or dialog");
    }

    void editThenWriteGivesTheRadioExactlyTheEncodedImage() {
        MainWindow& w = start();
        const fs::path radio = folder_ / "radio.dat";
        startRadio({"--save", radio.string()});
        edit(0, "450.0125", "455");
        edit(5, "403.5");
        dialogs_.modal = {pressReadWrite()};
        w.action("writeRadioAction")->trigger();

        QVERIFY2(dialogs_.messages.empty(), lastMessage().c_str());
        QVERIFY(!dialogs_.modalRuns.back().openAfterScript); // closed at the last frame
        expectBarRanUpTo(122);
        QCOMPARE(status(), std::string("Communication success"));
        sim_->stop(); // the emulator saves its memory as it ends
        const auto written = ReadDataFile(radio);
        QVERIFY(std::holds_alternative<MemoryImage>(written));
        const MemoryImage& memory = std::get<MemoryImage>(written);
        const MemoryImage& sent = w.state().image;
        QVERIFY(std::equal(sent.begin() + 50, sent.begin() + 1034, memory.begin() + 50));
        driveTimerToReady();
    }

    void readFillsTheWindowAndNamesTheScratchFile() {
        MainWindow& w = start();
        edit(2, "446.00625");
        edit(9, "438.125", "430");
        w.functionArea()->list(FunctionSetting::SquelchLevel)->setCurrentIndex(1);
        dialogs_.files = {folder_ / "source.dat"};
        w.files().saveFileAs();
        dialogs_.answers = {true};
        w.files().newFile();
        QVERIFY(!w.state().plug.channels.inUse(2));
        w.state().currentDataFile.clear();
        fs::remove(folder_ / "Data/TempData.dat");

        startRadio({"--load", (folder_ / "source.dat").string()});
        dialogs_.modal = {pressReadWrite()};
        w.action("readRadioAction")->trigger();

        QVERIFY2(dialogs_.messages.empty(), lastMessage().c_str());
        QVERIFY(!dialogs_.modalRuns.back().openAfterScript);
        expectBarRanUpTo(127);
        QVERIFY(w.state().plug.channels.inUse(2));
        QCOMPARE(w.table()->cell(Field::RxFrequency, 9)->text(), QString("438.12500"));
        QCOMPARE(w.table()->cell(Field::TxFrequency, 9)->text(), QString("430.00000"));
        QCOMPARE(w.functionArea()->list(FunctionSetting::SquelchLevel)->currentIndex(), 1);
        QVERIFY(w.state().plug.modified);
        const fs::path scratch = folder_ / "Data/TempData.dat";
        QCOMPARE(w.state().currentDataFile, scratch.string());
        QVERIFY(fs::exists(scratch));
        QCOMPARE(fs::file_size(scratch), std::uintmax_t(0)); // named, not written
        QCOMPARE(w.statusPanel(3)->text().toStdString(), "File Name: " + scratch.string());
        QCOMPARE(storedSetting("Path"), scratch.string());
        QCOMPARE(status(), std::string("Communication success"));

        // A second read within the outcome's display time shows its own outcome for
        // the full time; the existing data file is left as it is.
        w.transfers().outcomeTimerTick();
        std::ofstream(scratch) << "kept";
        dialogs_.modal = {pressReadWrite()};
        w.action("readRadioAction")->trigger();
        QCOMPARE(fs::file_size(scratch), std::uintmax_t(4));
        driveTimerToReady();
    }

    void everyFaultFailsAndChangesNothing_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("block");
        QTest::addColumn<bool>("reading");
        QTest::addColumn<bool>("dialogOpen"); // still open with its bar at 0
        QTest::newRow("write: no lead answer") << "--no-lead-answer"
                                               << "" << false << true;
        QTest::newRow("read: wrong lead answer") << "--wrong-lead-answer"
                                                 << "" << true << true;
        QTest::newRow("write: short identity") << "--short-identity"
                                               << "" << false << true;
        QTest::newRow("write: no ack from 50") << "--no-ack-from"
                                               << "50" << false << true;
        QTest::newRow("read: short reply at 127") << "--short-reply-at"
                                                  << "127" << true << false;
        QTest::newRow("read: ack reply at 3") << "--ack-reply-at"
                                              << "3" << true << true;
        QTest::newRow("write: hang-up at last frame") << "--hang-up-at"
                                                      << "122" << false << false;
        QTest::newRow("read: hang-up at 64") << "--hang-up-at"
                                             << "64" << true << true;
    }
    void everyFaultFailsAndChangesNothing() {
        QFETCH(QString, fault);
        QFETCH(QString, block);
        QFETCH(bool, reading);
        QFETCH(bool, dialogOpen);
        MainWindow& w = start();
        edit(1, "450");
        const ChannelTable before = w.state().plug.channels;
        const std::string file = w.state().currentDataFile;
        const QString cell = w.table()->cell(Field::RxFrequency, 1)->text();
        std::vector<std::string> args{fault.toStdString()};
        if (!block.isEmpty())
            args.push_back(block.toStdString());
        startRadio(args);
        bool barAtZero = false;
        dialogs_.modal = {[&](QDialog& d) {
            pressReadWrite()(d);
            barAtZero = static_cast<CommunicationDialog&>(d).progressBar->value() == 0;
        }};
        w.action(reading ? "readRadioAction" : "writeRadioAction")->trigger();

        QCOMPARE(lastMessage(),
                 std::string("Communication failed,please check commuication port!"));
        QVERIFY(dialogs_.messages.back().icon == MessageIcon::Exclamation);
        QCOMPARE(status(), std::string("Communication failed"));
        QCOMPARE(dialogs_.modalRuns.back().openAfterScript, dialogOpen);
        if (dialogOpen)
            QVERIFY(barAtZero);
        QVERIFY(w.state().plug.channels == before);
        QCOMPARE(w.table()->cell(Field::RxFrequency, 1)->text(), cell);
        QCOMPARE(w.state().currentDataFile, file);
        driveTimerToReady();
    }

    void aFailedWriteCanBeStartedAgainFromTheSameDialog() {
        MainWindow& w = start();
        startRadio({"--no-ack-from", "30"});
        dialogs_.modal = {[this](QDialog& d) {
            auto& commun = static_cast<CommunicationDialog&>(d);
            commun.transferButton->click();
            QVERIFY(commun.isVisible());
            sim_ = std::make_unique<EmulatorProcess>(std::vector<std::string>{"--fast"});
            mapPort(5, sim_->device());
            commun.transferButton->click();
            QVERIFY(!commun.isVisible());
        }};
        w.action("writeRadioAction")->trigger();
        QCOMPARE(status(), std::string("Communication success"));
    }

    void writeWithoutASubModelTouchesNoPort() {
        MainWindow& w = start();
        mapPort(5, (folder_ / "no-such-device").string());
        {
            // As with a profile that lists no sub-models.
            const QSignalBlocker quiet(w.modelArea()->subModelList);
            w.modelArea()->subModelList->setCurrentIndex(-1);
        }
        dialogs_.modal = {pressReadWrite()};
        w.action("writeRadioAction")->trigger();
        QCOMPARE(lastMessage(), std::string("Please select mode type first"));
        QCOMPARE(int(dialogs_.messages.size()), 1); // and no port failure
        QVERIFY(dialogs_.modalRuns.back().openAfterScript);
    }

    void aPortNumberOutOfRangeIsReportedAndKeptUntilChosen() {
        MainWindow& w = start("Language=2\nCOM=17\n");
        dialogs_.modal = {pressReadWrite()};
        w.action("readRadioAction")->trigger();
        QCOMPARE(lastMessage(),
                 std::string("Failed to open port,Please set communication port first!"));
        QVERIFY(dialogs_.modalRuns.back().openAfterScript);
        QVERIFY(barValues_.empty());

        // The port dialog opens with nothing chosen; OK without a choice keeps 17.
        dialogs_.modal = {[](QDialog& d) {
            auto& ports = static_cast<PortDialog&>(d);
            for (auto* option : ports.portOptions)
                QVERIFY(!option->isChecked());
            ports.okButton->click();
        }};
        w.action("communicationPortAction")->trigger();
        QCOMPARE(w.state().portNumber, 17);
        QCOMPARE(w.statusPanel(2)->text(), QString("COM17"));
    }

    void aPortThatWillNotOpenLeadsToThePortDialog() {
        MainWindow& w = start();
        mapPort(5, (folder_ / "no-such-device").string());
        dialogs_.modal = {pressReadWrite(), choosePort(7)};
        w.action("readRadioAction")->trigger();
        QCOMPARE(lastMessage(), std::string("Failed to open port!"));
        QVERIFY(dialogs_.messages.back().icon == MessageIcon::Critical);
        QCOMPARE(dialogs_.modalRuns.size(), std::size_t(2));
        QCOMPARE(dialogs_.modalRuns[0].name, std::string("CommunicationDialog"));
        QCOMPARE(dialogs_.modalRuns[1].name, std::string("PortDialog"));
        QVERIFY(!dialogs_.modalRuns[0].openAfterScript); // the recovery closed it
        QCOMPARE(w.statusPanel(2)->text(), QString("COM7"));
        QCOMPARE(storedSetting("COM"), std::string("7"));
        QVERIFY(!w.transfers().outcomeTimer().isActive()); // no transfer, no outcome
    }

    // A lock left empty by a killed transfer does not keep the port for half a minute.
    void aStaleLockDoesNotHoldUpATransfer() {
        MainWindow& w = start();
        startRadio({});
        locks_.push_back(PortLockPath(sim_->device()));
        std::ofstream(locks_.back()).close(); // left empty by a transfer killed as it began
        fs::last_write_time(locks_.back(),
                            fs::file_time_type::clock::now() - std::chrono::seconds(10));
        dialogs_.modal = {pressReadWrite()};
        w.action("readRadioAction")->trigger();
        QVERIFY2(dialogs_.messages.empty(), lastMessage().c_str());
        QCOMPARE(status(), std::string("Communication success"));
    }

    // The port-open failure says which port and which program holds it; the port dialog
    // follows as for any port that will not open.
    void aPortInUseNamesItsHolder() {
        MainWindow& w = start();
        startRadio({});
        QtSerialPort holder;
        QVERIFY_THROWS_NO_EXCEPTION(holder.open(sim_->device()));
        dialogs_.modal = {pressReadWrite(), choosePort(5)};
        w.action("writeRadioAction")->trigger();
        QCOMPARE(lastMessage(), "Failed to open port!\nCOM5 " + sim_->device() +
                                    ": transfer_window_tests (PID " + std::to_string(::getpid()) +
                                    ")");
        QVERIFY(dialogs_.messages.back().icon == MessageIcon::Critical);
        QCOMPARE(dialogs_.modalRuns.back().name, std::string("PortDialog"));
        QVERIFY(!w.transfers().outcomeTimer().isActive());
    }

    void thePortDialogChoosesCancelsAndShowsTheDevices() {
        MainWindow& w = start();
        startRadio({});
        dialogs_.modal = {[](QDialog& d) {
            auto& ports = static_cast<PortDialog&>(d);
            QCOMPARE(d.windowTitle(), QString("Communication Port"));
            QVERIFY(ports.portOptions[4]->isChecked());
            QVERIFY(ports.deviceLabels[4]->text().endsWith("present"));
            QVERIFY(ports.deviceLabels[4]->isEnabled());
            ports.portOptions[2]->setChecked(true);
            ports.cancelButton->click();
        }};
        w.action("communicationPortAction")->trigger();
        QCOMPARE(w.state().portNumber, 5);
        QCOMPARE(storedSetting("COM"), std::string("5"));

        dialogs_.modal = {choosePort(3)};
        w.action("communicationPortAction")->trigger();
        QCOMPARE(w.state().portNumber, 3);
        QCOMPARE(w.statusPanel(2)->text(), QString("COM3"));
        QCOMPARE(storedSetting("COM"), std::string("3"));
    }

    // The trace is off until the port dialog turns it on, and stays on; each transfer
    // then leaves a trace of its own to its last byte, and the outcome says where, a
    // failure's message too.
    void aSerialTraceIsKeptWhenChosenAndTheOutcomeSaysWhere() {
        MainWindow& w = start();
        startRadio({});
        dialogs_.modal = {pressReadWrite()};
        w.action("writeRadioAction")->trigger();
        QCOMPARE(status(), std::string("Communication success"));
        QVERIFY(!fs::exists(folder_ / "Data/Traces"));

        const auto setTrace = [](bool ok) {
            return [ok](QDialog& d) {
                auto& ports = static_cast<PortDialog&>(d);
                QCOMPARE(ports.traceBox->text(), QString("Record a serial &trace"));
                QVERIFY(!ports.traceBox->isChecked());
                ports.traceBox->setChecked(true);
                (ok ? ports.okButton : ports.cancelButton)->click();
            };
        };
        dialogs_.modal = {setTrace(false), setTrace(true)};
        w.action("communicationPortAction")->trigger();
        QCOMPARE(storedSetting("SerialTrace"), std::string());
        w.action("communicationPortAction")->trigger();
        QCOMPARE(storedSetting("SerialTrace"), std::string("True"));

        dialogs_.modal = {pressReadWrite()};
        w.action("writeRadioAction")->trigger();
        const auto traces = [this] {
            std::vector<fs::path> found;
            for (const auto& entry : fs::directory_iterator(folder_ / "Data/Traces"))
                found.push_back(entry.path());
            std::sort(found.begin(), found.end());
            return found;
        };
        QCOMPARE(traces().size(), std::size_t(1));
        const fs::path trace = traces().front();
        QCOMPARE(status(),
                 "Communication success    Serial trace: Data/Traces/" + trace.filename().string());
        std::ifstream in(trace);
        std::string heading, line, unit, last;
        std::getline(in, heading);
        QCOMPARE(heading.substr(0, 28), std::string("hxprog write on COM5 (/dev/p"));
        while (std::getline(in, line))
            unit = std::exchange(last, line);
        QVERIFY2(unit.find("RX   write frame of block 122") != std::string::npos, unit.c_str());
        QCOMPARE(last, std::string("outcome: success"));

        startRadio({"--short-reply-at", "5"});
        dialogs_.modal = {pressReadWrite()};
        w.action("readRadioAction")->trigger();
        QCOMPARE(traces().size(), std::size_t(2));
        const fs::path failedTrace = traces().back() == trace ? traces().front() : traces().back();
        QCOMPARE(lastMessage(), "Communication failed,please check commuication port!\n\n"
                                "Serial trace: " +
                                    failedTrace.string());
        QCOMPARE(status(), "Communication failed    Serial trace: Data/Traces/" +
                               failedTrace.filename().string());
    }

    // Find my cable on a fake system: the test plugs and pulls adapters while the
    // questions are open, as the user would.
    static FakeSystem::UsbAdapter Adapter(std::string byId) {
        FakeSystem::UsbAdapter adapter;
        adapter.byId = std::move(byId);
        return adapter;
    }
    static std::function<void(QDialog&)> findCableThen(int expectedChecked) {
        return [expectedChecked](QDialog& d) {
            auto& ports = static_cast<PortDialog&>(d);
            QCOMPARE(ports.findCableButton->text(), QString("Find my cable"));
            ports.findCableButton->click();
            QVERIFY(ports.portOptions[static_cast<std::size_t>(expectedChecked - 1)]->isChecked());
            ports.okButton->click();
        };
    }

    void findMyCableSelectsThePortOfTheDeviceThatAppeared() {
        MainWindow& w = start();
        FakeSystem system(folder_ / "root");
        system.plugUsb("ttyUSB2", Adapter({}));
        w.transfers().setSystem(system.viewAs({FakeSystem::Group()}));
        const auto replug = [&](std::function<void()> plugIn) {
            dialogs_.whileAsking = [&system, asked = 0, plugIn]() mutable {
                if (++asked == 1)
                    system.unplug("ttyUSB2");
                else if (asked == 2)
                    plugIn();
            };
        };

        // A device that a built-in number names: selected, nothing written.
        replug([&] { system.plugUsb("ttyUSB2", Adapter({})); });
        dialogs_.answers = {true, true};
        dialogs_.modal = {findCableThen(3)};
        w.action("communicationPortAction")->trigger();
        QCOMPARE(w.state().portNumber, 3);
        QCOMPARE(dialogs_.questions[0].text,
                 std::string("Unplug the programming cable from the computer. Is it unplugged?"));
        QVERIFY(!fs::exists(folder_ / "Setting/Ports.ini"));
        QVERIFY2(dialogs_.messages.empty(), lastMessage().c_str());

        // One no number names: the line for Ports.ini is shown, and written on Yes under
        // the first number whose device is absent, by its lasting by-id name.
        replug([&] { system.plugUsb("ttyUSB9", Adapter("usb-cable-port0"), 2); });
        dialogs_.questions.clear();
        dialogs_.answers = {true, true, true};
        dialogs_.modal = {findCableThen(1)};
        w.action("communicationPortAction")->trigger();
        QCOMPARE(int(dialogs_.questions.size()), 3);
        QVERIFY(dialogs_.questions[2].text.starts_with("No COM number names /dev/ttyUSB9."));
        QVERIFY(dialogs_.questions[2].text.ends_with(
            "\n\n[Ports]\nCOM1=/dev/serial/by-id/usb-cable-port0"));
        QCOMPARE(w.state().portNumber, 1);
        QCOMPARE(ProfileFile(folder_ / "Setting/Ports.ini").read("Ports", "COM1", "", 300),
                 std::string("/dev/serial/by-id/usb-cable-port0"));

        // No on the line writes nothing; the selection stays where it was.
        system.unplug("ttyUSB9");
        replug([&] { system.plugUsb("ttyUSB5", Adapter({}), 3); });
        dialogs_.answers = {true, true, false};
        dialogs_.modal = {findCableThen(1)};
        w.action("communicationPortAction")->trigger();
        QCOMPARE(ProfileFile(folder_ / "Setting/Ports.ini").read("Ports", "COM2", "", 300),
                 std::string());
    }

    void findMyCableSaysWhenNoneOrSeveralDevicesAppeared() {
        MainWindow& w = start(); // COM5
        FakeSystem system(folder_ / "root");
        w.transfers().setSystem(system.viewAs({FakeSystem::Group()}));
        dialogs_.answers = {true, true};
        dialogs_.modal = {findCableThen(5)};
        w.action("communicationPortAction")->trigger();
        QCOMPARE(lastMessage(), std::string("No new serial device appeared. Check the cable and "
                                            "its plug, or use Settings > Check Cable."));

        int asked = 0;
        dialogs_.whileAsking = [&] {
            if (++asked == 2) {
                system.plugUsb("ttyUSB0", Adapter({}));
                system.plugUsb("ttyACM0", Adapter({}), 2);
            }
        };
        dialogs_.answers = {true, true};
        dialogs_.modal = {findCableThen(5)};
        w.action("communicationPortAction")->trigger();
        QVERIFY(lastMessage().starts_with("Several new serial devices appeared:\n/dev/ttyACM0"));
        QCOMPARE(w.state().portNumber, 5);

        dialogs_.answers = {false};
        dialogs_.modal = {findCableThen(5)};
        w.action("communicationPortAction")->trigger();
        QCOMPARE(int(dialogs_.questions.size()), 5); // No to the first question stops
    }

    void checkCableListsTheFindingsForThePortInUse() {
        MainWindow& w = start("Language=1\nCOM=1\n");
        FakeSystem system(folder_ / "root");
        // A USB product string is the adapter maker's text, not markup.
        FakeSystem::UsbAdapter adapter = Adapter({});
        adapter.product = "<b>Cable</b>";
        system.plugUsb("ttyUSB0", adapter);
        system.put("usr/sbin/brltty", "");
        w.transfers().setSystem(system.viewAs({12345}));
        dialogs_.modal = {[](QDialog& d) {
            auto& check = static_cast<CableCheckDialog&>(d);
            QCOMPARE(d.windowTitle(), QString("检查写频线"));
            QVERIFY(check.devicesLabel->text().startsWith("COM1  /dev/ttyUSB0  0403:6001"));
            QVERIFY(check.devicesLabel->text().contains("<b>Cable</b>"));
            for (const QLabel* label : d.findChildren<QLabel*>())
                if (!label->text().isEmpty())
                    QCOMPARE(label->textFormat(), Qt::PlainText);
            QCOMPARE(check.findingLabels[0]->text(), QString("COM1 (/dev/ttyUSB0) 存在。"));
            QVERIFY(check.findingLabels[1]->text().startsWith("你无权打开 /dev/ttyUSB0"));
            QCOMPARE(check.fixLabels[0]->text(),
                     QString("运行 sudo usermod -aG dialout $USER，然后注销并重新登录。"));
            QVERIFY(check.fixLabels.back()->text().contains("sudo apt remove brltty"));
            check.okButton->click();
        }};
        QCOMPARE(w.action("checkCableAction")->text(), QString("检查写频线(&K)…"));
        w.action("checkCableAction")->trigger();
        QCOMPARE(dialogs_.modalRuns.back().name, std::string("CableCheckDialog"));
        QVERIFY(!dialogs_.modalRuns.back().openAfterScript);
    }

    // The comparison dialog's script: note its summary and rows, then close it.
    std::function<void(QDialog&)> noteComparison(QString& summary, std::vector<QStringList>& rows) {
        return [&summary, &rows](QDialog& dialog) {
            auto& comparison = static_cast<ComparisonDialog&>(dialog);
            summary = comparison.summaryLabel->text();
            for (int i = 0; i < comparison.differenceList->topLevelItemCount(); ++i) {
                const QTreeWidgetItem* item = comparison.differenceList->topLevelItem(i);
                rows.push_back({item->text(0), item->text(1), item->text(2)});
            }
            comparison.closeButton->click();
        };
    }

    // The radio is read into an image of its own: the window, its code plug and its
    // data file stay as they were, and the list names what a write would change.
    void compareWithRadioListsTheDifferencesAndChangesNothing() {
        MainWindow& w = start();
        edit(2, "450.125", "450.125");
        dialogs_.files = {folder_ / "sold.dat"};
        w.files().saveFileAs();
        edit(2, "450.25", "450.125");
        startRadio({"--load", (folder_ / "sold.dat").string()});
        const CodePlug before = w.state().plug;
        const std::string file = w.state().currentDataFile;

        QString summary;
        std::vector<QStringList> rows;
        dialogs_.modal = {pressReadWrite(), noteComparison(summary, rows)};
        w.action("compareRadioAction")->trigger();

        QVERIFY2(dialogs_.messages.empty(), lastMessage().c_str());
        QCOMPARE(int(rows.size()), 1);
        QCOMPARE(rows[0], QStringList({"channel 3 receive frequency", "450.25000", "450.12500"}));
        QCOMPARE(summary, QString("Differences between the window and COM5: 1"));
        QVERIFY(w.state().plug.channels == before.channels);
        QCOMPARE(w.state().plug.modified, before.modified);
        QCOMPARE(w.state().currentDataFile, file);
        QCOMPARE(w.table()->cell(Field::RxFrequency, 2)->text(), QString("450.25000"));
    }

    void compareWithFileSaysWhenNothingDiffers() {
        MainWindow& w = start("Language=1\nCOM=5\n");
        edit(2, "450.125", "450.125");
        const fs::path sold = folder_ / "sold.dat";
        dialogs_.files = {sold};
        w.files().saveFileAs();

        QString summary;
        std::vector<QStringList> rows;
        dialogs_.files = {sold};
        dialogs_.modal = {noteComparison(summary, rows)};
        w.action("compareFileAction")->trigger();
        QVERIFY(rows.empty());
        QCOMPARE(summary.toStdString(), "没有差别：窗口与 " + sold.string() + " 的内容相同。");

        dialogs_.files = {std::nullopt}; // cancelled: nothing is shown
        w.action("compareFileAction")->trigger();
        QVERIFY(dialogs_.messages.empty());
    }

    // Not a check: with HX_SCREENSHOT_DIR set, saves the comparison with a file in both
    // languages.
    void screenshotsOfTheComparison() {
        const QByteArray dir = qgetenv("HX_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("HX_SCREENSHOT_DIR not set");
        for (const char* language : {"en", "zh"}) {
            MainWindow& w = start(language == std::string("en") ? "Language=2\nCOM=5\n"
                                                                : "Language=1\nCOM=5\n");
            edit(0, "450.0125", "455.0125");
            edit(2, "450.125", "450.125");
            const fs::path sold = folder_ / "customer-radio.dat";
            dialogs_.files = {sold};
            w.files().saveFileAs();
            edit(2, "450.25", "450.125");
            edit(5, "403.5");
            w.functionArea()->list(FunctionSetting::SquelchLevel)->setCurrentIndex(3);
            dialogs_.files = {sold};
            dialogs_.modal = {[&](QDialog& d) {
                QVERIFY(QTest::qWaitForWindowExposed(&d));
                QVERIFY(d.grab().save(QString(dir) + "/compare-" + language + ".png"));
            }};
            w.action("compareFileAction")->trigger();
            cleanup();
        }
    }

    // Not a check: with HX_SCREENSHOT_DIR set, saves the cable check with a cable this
    // user may not open, in both languages.
    void screenshotsOfTheCableCheck() {
        const QByteArray dir = qgetenv("HX_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("HX_SCREENSHOT_DIR not set");
        for (const char* language : {"en", "zh"}) {
            MainWindow& w = start(language == std::string("en") ? "Language=2\nCOM=1\n"
                                                                : "Language=1\nCOM=1\n");
            FakeSystem system(folder_ / "root");
            system.plugUsb("ttyUSB0", Adapter("usb-FTDI_FT232R_USB_UART_A10K6ABC-if00-port0"));
            system.plugUsb("ttyACM0", Adapter({}), 2);
            system.put("usr/lib/udev/rules.d/85-brltty.rules", "");
            w.transfers().setSystem(system.viewAs({12345}));
            dialogs_.modal = {[&](QDialog& d) {
                QVERIFY(QTest::qWaitForWindowExposed(&d));
                QVERIFY(d.grab().save(QString(dir) + "/cable-" + language + ".png"));
            }};
            w.action("checkCableAction")->trigger();
            cleanup();
        }
    }

    // Not a check: with HX_SCREENSHOT_DIR set, and an X server, captures the screen
    // halfway through a write at line speed, to show that the bar and the status
    // text reach the display while the transfer holds the event loop.
    void screenshotsOfARunningWrite() {
        const QByteArray dir = qgetenv("HX_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("HX_SCREENSHOT_DIR not set");
        for (const Language language : {Language::English, Language::Chinese}) {
            MainWindow& w = start(language == Language::English ? "Language=2\nCOM=5\n"
                                                                : "Language=1\nCOM=5\n");
            startRadio({}, false);
            edit(0, "450.0125", "455");
            w.resize(w.sizeHint());
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            const QString name = QString(dir) + "/transfer-" +
                                 (language == Language::English ? "en" : "zh") + ".png";
            dialogs_.modal = {[&](QDialog& d) {
                auto& commun = static_cast<CommunicationDialog&>(d);
                commun.move(w.geometry().center() - commun.rect().center());
                QVERIFY(QTest::qWaitForWindowExposed(&commun));
                connect(commun.progressBar, &QProgressBar::valueChanged, this, [&](int v) {
                    if (v == 61) // what the X server shows now, not a fresh paint
                        QGuiApplication::primaryScreen()
                            ->grabWindow(0)
                            .copy(w.geometry())
                            .save(name);
                });
                commun.transferButton->click();
            }};
            w.action("writeRadioAction")->trigger();
            QCOMPARE(status(), std::string(language == Language::English ? "Communication success"
                                                                         : "通信成功"));
            cleanup();
        }
    }

    void closingTheDialogWithoutItsButtonChangesNothing() {
        MainWindow& w = start();
        dialogs_.modal = {[](QDialog& d) { d.reject(); }};
        w.action("readRadioAction")->trigger();
        QVERIFY2(dialogs_.messages.empty(), lastMessage().c_str());
        QCOMPARE(status(), std::string("Ready"));
        QVERIFY(!w.transfers().outcomeTimer().isActive());
    }
};

} // namespace hx

QTEST_MAIN(hx::TransferTest)
#include "TransferTest.moc"
