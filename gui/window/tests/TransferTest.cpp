// The window against the radio emulator on a pseudo-terminal: the port and
// communication dialogs, both transfers, every fault, and the outcome in the
// status bar.
#include "adapters/serial/PortLock.h"
#include "core/image/DataFile.h"
#include "core/testsupport/FakeSystem.h"
#include "gui/dialogs/CableCheckDialog.h"
#include "gui/dialogs/CommunicationDialog.h"
#include "gui/dialogs/ComparisonDialog.h"
#include "gui/dialogs/PortDialog.h"
#include "gui/window/tests/WindowFixture.h"

#include <fstream>

namespace hx {

namespace fs = std::filesystem;

class TransferTest : public QObject, public WindowFixture {
    Q_OBJECT

    std::vector<int> barValues_;
    std::vector<QString> statusWhileRunning_;
    std::vector<fs::path> locks_; // lock files made here; one left behind holds its pty

public:
    TransferTest() : WindowFixture("Language=2\nCOM=5\n") {}

private:
    // The communication dialog's script: press its button, noting every bar value
    // and the status text shown with it.
    std::function<void(QDialog&)> pressReadWrite() {
        return [this](QDialog& dialog) {
            auto& commun = static_cast<CommunicationDialog&>(dialog);
            connect(commun.progressBar, &QProgressBar::valueChanged, this, [this](int v) {
                barValues_.push_back(v);
                statusWhileRunning_.push_back(statusPanel(1));
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
        barValues_.clear();
        statusWhileRunning_.clear();
        for (const auto& lock : locks_)
            fs::remove(lock);
        locks_.clear();
        finish();
    }

    void editThenWriteGivesTheRadioExactlyTheEncodedImage() {
        MainWindow& w = start();
        const fs::path radio = folder_ / "radio.dat";
        startRadios({"--save", radio.string()});
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
        functionList(FunctionSetting::SquelchLevel)->setCurrentIndex(1);
        saveAs(folder_ / "source.dat");
        dialogs_.answers = {true};
        w.files().newFile();
        QVERIFY(!w.state().plug.channels.inUse(2));
        w.state().currentDataFile.clear();
        fs::remove(folder_ / "Data/TempData.dat");

        startRadios({"--load", (folder_ / "source.dat").string()});
        dialogs_.modal = {pressReadWrite()};
        w.action("readRadioAction")->trigger();

        QVERIFY2(dialogs_.messages.empty(), lastMessage().c_str());
        QVERIFY(!dialogs_.modalRuns.back().openAfterScript);
        expectBarRanUpTo(127);
        QVERIFY(w.state().plug.channels.inUse(2));
        QCOMPARE(cell(Field::RxFrequency, 9), QString("438.12500"));
        QCOMPARE(cell(Field::TxFrequency, 9), QString("430.00000"));
        QCOMPARE(functionList(FunctionSetting::SquelchLevel)->currentIndex(), 1);
        QVERIFY(w.state().plug.modified);
        const fs::path scratch = folder_ / "Data/TempData.dat";
        QCOMPARE(w.state().currentDataFile, scratch.string());
        QVERIFY(fs::exists(scratch));
        QCOMPARE(fs::file_size(scratch), std::uintmax_t(0)); // named, not written
        QCOMPARE(statusPanel(3).toStdString(), "File Name: " + scratch.string());
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
        const QString shown = cell(Field::RxFrequency, 1);
        std::vector<std::string> args{fault.toStdString()};
        if (!block.isEmpty())
            args.push_back(block.toStdString());
        startRadios(args);
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
        QCOMPARE(cell(Field::RxFrequency, 1), shown);
        QCOMPARE(w.state().currentDataFile, file);
        driveTimerToReady();
    }

    void aFailedWriteCanBeStartedAgainFromTheSameDialog() {
        MainWindow& w = start();
        startRadios({"--no-ack-from", "30"});
        dialogs_.modal = {[this](QDialog& d) {
            auto& commun = static_cast<CommunicationDialog&>(d);
            commun.transferButton->click();
            QVERIFY(commun.isVisible());
            startRadios({});
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
            const QSignalBlocker quiet(subModelList());
            subModelList()->setCurrentIndex(-1);
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
        QCOMPARE(statusPanel(2), QString("COM17"));
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
        QCOMPARE(statusPanel(2), QString("COM7"));
        QCOMPARE(storedSetting("COM"), std::string("7"));
        QVERIFY(!w.transfers().outcomeTimer().isActive()); // no transfer, no outcome
    }

    // A lock left empty by a killed transfer does not keep the port for half a minute.
    void aStaleLockDoesNotHoldUpATransfer() {
        MainWindow& w = start();
        startRadios({});
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
        startRadios({});
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
        startRadios({});
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
        QCOMPARE(statusPanel(2), QString("COM3"));
        QCOMPARE(storedSetting("COM"), std::string("3"));
    }

    // The trace is off until the port dialog turns it on, and stays on; each transfer
    // then leaves a trace of its own to its last byte, and the outcome says where, a
    // failure's message too.
    void aSerialTraceIsKeptWhenChosenAndTheOutcomeSaysWhere() {
        MainWindow& w = start();
        startRadios({});
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

        startRadios({"--short-reply-at", "5"});
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
        saveAs(folder_ / "sold.dat");
        edit(2, "450.25", "450.125");
        startRadios({"--load", (folder_ / "sold.dat").string()});
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
        QCOMPARE(cell(Field::RxFrequency, 2), QString("450.25000"));
    }

    void compareWithFileSaysWhenNothingDiffers() {
        MainWindow& w = start("Language=1\nCOM=5\n");
        edit(2, "450.125", "450.125");
        const fs::path sold = folder_ / "sold.dat";
        saveAs(sold);

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
