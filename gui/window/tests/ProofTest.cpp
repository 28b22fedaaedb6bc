// A write with proof in the window, and the Clone Radios dialog: against hxsim on
// pseudo-terminals, and against a radio inside the test where every byte sent counts.
#include "core/image/DataFile.h"
#include "core/link/Protocol.h"
#include "core/testsupport/EmulatedRadioPort.h"
#include "gui/dialogs/CloneDialog.h"
#include "gui/dialogs/CommunicationDialog.h"
#include "gui/window/tests/WindowFixture.h"

#include <algorithm>
#include <fstream>

namespace hx {

namespace fs = std::filesystem;

namespace {

// The window's port onto a radio the test keeps, so that the radio and every byte
// sent to it outlive the transfer, which closes its port.
class PortOnto : public SerialPort {
public:
    explicit PortOnto(SerialPort& radio) : radio_(radio) {}
    void setBinaryMode() override { radio_.setBinaryMode(); }
    void discardOutput() override { radio_.discardOutput(); }
    void send(std::span<const std::uint8_t> bytes) override { radio_.send(bytes); }
    void discardInput() override { radio_.discardInput(); }
    std::size_t waitingCount() override { return radio_.waitingCount(); }
    std::vector<std::uint8_t> takeAll() override { return radio_.takeAll(); }
    void waitForInput(std::chrono::microseconds atMost) override { radio_.waitForInput(atMost); }

private:
    SerialPort& radio_;
};

hxsim::RadioMemory RadioBytes(const MemoryImage& image) {
    hxsim::RadioMemory memory{};
    std::copy(image.begin() + kHeaderSize, image.end(), memory.begin());
    return memory;
}

std::vector<std::string> Lines(const fs::path& file) {
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace

class ProofTest : public QObject, public WindowFixture {
    Q_OBJECT

    std::unique_ptr<EmulatedRadioPort> radio_; // the radio inside the test, when used
    std::vector<QString> statuses_;            // the status text at each bar step

public:
    // A radio in the test is ready again at once after a write: no settle time.
    ProofTest()
        : WindowFixture("Language=2\nCOM=5\nSettleTime=0\n",
                        [this](const std::string& device) -> std::unique_ptr<SerialPort> {
                            if (radio_)
                                return std::make_unique<PortOnto>(*radio_);
                            return OpenQtSerialPort(device);
                        }) {}

private:
    // The communication dialog's script: `before` on the open dialog, then its
    // button, noting the status text at every step of the bar.
    std::function<void(QDialog&)> write(std::function<void(CommunicationDialog&)> before = {}) {
        return [this, before](QDialog& dialog) {
            auto& commun = static_cast<CommunicationDialog&>(dialog);
            if (before)
                before(commun);
            connect(commun.progressBar, &QProgressBar::valueChanged, this,
                    [this] { statuses_.push_back(statusPanel(1)); });
            commun.transferButton->click();
        };
    }
    // The Program menu's check items as the menu shows them when it opens.
    std::pair<bool, bool> proofItems() {
        openMenu("programMenu");
        return {window_->action("verifyAfterWriteAction")->isChecked(),
                window_->action("backupBeforeWriteAction")->isChecked()};
    }
    std::vector<fs::path> backups() const {
        std::vector<fs::path> found;
        if (fs::exists(folder_ / "Data/Backups"))
            for (const auto& entry : fs::directory_iterator(folder_ / "Data/Backups"))
                found.push_back(entry.path());
        std::sort(found.begin(), found.end());
        return found;
    }

    // Clones the current data file onto three hxsim radios on COM1 to COM3, the third
    // storing channel 4's receive frequency wrong, with verification; then runs
    // `after` on the dialog with its results showing.
    void cloneThreeRadios(const std::function<void(CloneDialog&)>& after) {
        edit(3, "450.125");
        saveAs(folder_ / "master.dat");
        startRadios({"--radios", "3", "--faulty", "3", "--corrupt", "0x40"}, 1);
        QCOMPARE(sim_->devices().size(), std::size_t(3));
        dialogs_.modal = {[&](QDialog& dialog) {
            auto& clone = static_cast<CloneDialog&>(dialog);
            QCOMPARE(clone.masterEdit->text().toStdString(), (folder_ / "master.dat").string());
            QVERIFY(clone.portBoxes[4]->isChecked()); // the window's port
            clone.portBoxes[4]->setChecked(false);
            for (std::size_t i = 0; i < 3; ++i) {
                clone.portBoxes[i]->setChecked(true);
                QVERIFY(clone.deviceLabels[i]->text().startsWith(
                    QString::fromStdString(sim_->devices()[i])));
            }
            clone.verifyBox->setChecked(true);
            clone.beginButton->click();
            QCOMPARE(clone.panels.size(), std::size_t(3));
            QVERIFY(!clone.verifyBox->isEnabled());
            const QString waiting =
                QString::fromUtf8(TextOf(Text::CloneWaiting).in(window_->state().language));
            for (auto& panel : clone.panels)
                QTRY_COMPARE(panel.step->text(), waiting);
            // Enter starts the radio of the port whose Start has the focus.
            QCOMPARE(clone.focusWidget(), clone.panels[0].start);
            QTest::keyClick(clone.panels[0].start, Qt::Key_Return);
            clone.panels[1].start->click();
            clone.panels[2].start->click();
            for (auto& panel : clone.panels)
                QTRY_COMPARE_WITH_TIMEOUT(panel.radios, 1, 30000);
            after(clone);
        }};
        window_->action("cloneRadiosAction")->trigger();
    }

private slots:
    void cleanup() {
        window_.reset();
        radio_.reset();
        statuses_.clear();
        finish();
    }

    // The option is one, whether set in the communication dialog or in the menu; with
    // it on, a radio that keeps a byte wrong fails by the field's name, and the status
    // never says the write succeeded.
    void verifyAfterWriteNamesWhatTheRadioHoldsWrong() {
        MainWindow& w = start();
        QCOMPARE(proofItems(), std::make_pair(false, false));
        edit(3, "450.125");
        startRadios({"--corrupt", "0x40"});
        dialogs_.modal = {write([this](CommunicationDialog& d) {
            QCOMPARE(d.verifyBox->text(), QString("&Verify after write"));
            QVERIFY(!d.verifyBox->isChecked());
            d.verifyBox->setChecked(true);
            QCOMPARE(storedSetting("VerifyAfterWrite"), std::string("True"));
        })};
        w.action("writeRadioAction")->trigger();
        QCOMPARE(proofItems(), std::make_pair(true, false));

        QVERIFY2(lastMessage().starts_with(
                     "Verification failed: the radio does not hold what was sent.\n\n"
                     "channel 4 receive frequency: sent 450.12500, radio holds "),
                 lastMessage().c_str());
        QCOMPARE(status(), std::string("Verification failed"));
        QVERIFY(std::none_of(statuses_.begin(), statuses_.end(),
                             [](const QString& s) { return s.contains("success"); }));
        QVERIFY(statuses_.back().startsWith("Verifying"));

        startRadios({});
        dialogs_.messages.clear();
        dialogs_.modal = {write([](CommunicationDialog& d) { QVERIFY(d.verifyBox->isChecked()); })};
        w.action("writeRadioAction")->trigger();
        QVERIFY2(dialogs_.messages.empty(), lastMessage().c_str());
        QCOMPARE(status(), std::string("Written and verified"));
        QVERIFY(!dialogs_.modalRuns.back().openAfterScript);

        w.action("verifyAfterWriteAction")->trigger(); // off from the menu
        QCOMPARE(storedSetting("VerifyAfterWrite"), std::string("False"));
        dialogs_.modal = {[](QDialog& d) {
            QVERIFY(!static_cast<CommunicationDialog&>(d).verifyBox->isChecked());
        }};
        w.action("writeRadioAction")->trigger();
    }

    // Off, the options leave the write as it always was, to the byte; the read offers
    // no verification.
    void withoutTheOptionsAWriteIsThePlainOne() {
        MainWindow& w = start();
        edit(0, "450.0125");
        radio_ = std::make_unique<EmulatedRadioPort>(hxsim::RadioMemory{});
        dialogs_.modal = {write()};
        w.action("writeRadioAction")->trigger();
        QCOMPARE(status(), std::string("Communication success"));
        EmulatedRadioPort plain(hxsim::RadioMemory{});
        QVERIFY(!WriteRadio(plain, w.state().image, {}));
        QVERIFY(radio_->sends == plain.sends);
        QVERIFY(backups().empty());

        dialogs_.modal = {
            [](QDialog& d) { QVERIFY(!static_cast<CommunicationDialog&>(d).verifyBox); }};
        w.action("readRadioAction")->trigger();
    }

    // The radio is kept before it is written; one of another band is written only
    // when the user says so, and until then hears nothing after the backup read.
    void backupKeepsTheRadioAndAnotherBandAsksFirst() {
        MainWindow& w = start();
        w.action("backupBeforeWriteAction")->trigger();
        QCOMPARE(storedSetting("BackupBeforeWrite"), std::string("True"));
        QCOMPARE(proofItems(), std::make_pair(false, true));
        edit(0, "450.0125");
        MemoryImage held = w.state().image;
        held[kBandCodeOffset] = 17; // the 136-174 MHz radio
        held[kHeaderSize + 7] = 0x5A;
        radio_ = std::make_unique<EmulatedRadioPort>(RadioBytes(held));
        std::size_t sentBeforeQuestion = 0;
        dialogs_.whileAsking = [this, &sentBeforeQuestion] {
            sentBeforeQuestion = radio_->sends.size();
        };

        dialogs_.answers = {false};
        dialogs_.modal = {write()};
        w.action("writeRadioAction")->trigger();
        QCOMPARE(dialogs_.questions.size(), std::size_t(1));
        const std::string question = dialogs_.questions[0].text;
        QVERIFY2(question.starts_with("radio band 136-174MHz (HX7200-V), file band 400-470MHz "
                                      "(HX7200-U)") &&
                     question.ends_with("\n\nWrite anyway?"),
                 question.c_str());
        QCOMPARE(radio_->sends.size(), sentBeforeQuestion);
        QVERIFY(radio_->memory() == RadioBytes(held));
        QVERIFY(dialogs_.messages.empty());
        QCOMPARE(backups().size(), std::size_t(1));
        const auto kept = ReadDataFile(backups()[0]);
        QVERIFY(std::holds_alternative<MemoryImage>(kept));
        QVERIFY(RadioBytes(std::get<MemoryImage>(kept)) == RadioBytes(held));
        QCOMPARE(status(),
                 "Write cancelled    Backup: Data/Backups/" + backups()[0].filename().string());

        dialogs_.answers = {true};
        dialogs_.modal = {write()};
        w.action("writeRadioAction")->trigger();
        QCOMPARE(backups().size(), std::size_t(2));
        QVERIFY(status().starts_with("Communication success    Backup: Data/Backups/"));
        QVERIFY(std::equal(w.state().image.begin() + kHeaderSize,
                           w.state().image.begin() + kHeaderSize + kWriteBlockCount * 8,
                           radio_->memory().begin()));
    }

    // A backup read that fails leaves the radio as it was and says why.
    void aFailedBackupReadWritesNothing() {
        MainWindow& w = start("Language=1\nCOM=5\nBackupBeforeWrite=True\n");
        hxsim::Faults faults;
        faults.hangUpAtBlock = 64;
        radio_ = std::make_unique<EmulatedRadioPort>(hxsim::RadioMemory{}, faults);
        dialogs_.modal = {write()};
        w.action("writeRadioAction")->trigger();
        QVERIFY2(lastMessage().starts_with("备份读取失败，未写入："), lastMessage().c_str());
        QCOMPARE(status(), std::string("备份失败，未写入"));
        QVERIFY(radio_->memory() == hxsim::RadioMemory{});
        QVERIFY(backups().empty());
    }

    // Three radios at once, the third faulty: PASS, PASS, FAIL with its reason, a log
    // line each, and a close while a radio is in progress asks and lets it finish.
    void cloneRadiosShowsEachPortsResultAndLogsIt() {
        start();
        fs::path log;
        cloneThreeRadios([&](CloneDialog& clone) {
            const QStringList results{clone.panels[0].result->text(),
                                      clone.panels[1].result->text(),
                                      clone.panels[2].result->text()};
            QCOMPARE(results, QStringList({"PASS", "PASS", "FAIL"}));
            QVERIFY2(clone.panels[2].reason->text().contains(
                         "channel 4 receive frequency: sent 450.12500, radio holds"),
                     qPrintable(clone.panels[2].reason->text()));
            QCOMPARE(clone.panels[0].result->palette().color(QPalette::Window).green(), 0x7D);
            QCOMPARE(clone.panels[2].result->palette().color(QPalette::Window).red(), 0xC6);
            QCOMPARE(clone.panels[2].count->text(),
                     QString("This port: 1 radios, 0 passed, 1 failed"));
            QCOMPARE(clone.totalsLabel->text(), QString("All ports: 2 passed, 1 failed"));
            log = clone.logEdit->text().toStdString();
            QCOMPARE(log.parent_path(), folder_ / "Data/Logs");

            dialogs_.viewerOpens = [](const fs::path&) { return true; };
            clone.openLogButton->click();
            QCOMPARE(dialogs_.documents.back(), log);

            // Closed while its write runs, the radio is finished first.
            dialogs_.answers = {true};
            connect(clone.panels[0].bar, &QProgressBar::valueChanged, &clone, [&clone, this] {
                if (clone.panels[0].step->text().endsWith("Writing") &&
                    dialogs_.questions.empty()) {
                    clone.closeButton->click();
                    QVERIFY(clone.isVisible()); // until the radio in progress is done
                }
            });
            QTRY_VERIFY(clone.panels[0].waiting);
            clone.panels[0].start->click();
            QTRY_VERIFY_WITH_TIMEOUT(!clone.isVisible(), 30000);
            QCOMPARE(dialogs_.questions.size(), std::size_t(1));
            QCOMPARE(clone.panels[0].radios, 2);
            QCOMPARE(clone.panels[0].result->text(), QString("PASS"));
        });
        QVERIFY(!dialogs_.modalRuns.back().openAfterScript);

        auto lines = Lines(log);
        QCOMPARE(
            std::erase_if(lines, [](const std::string& l) { return l.ends_with(",STARTED,,,"); }),
            std::size_t(4));
        QCOMPARE(lines.size(), std::size_t(5));
        QCOMPARE(lines[0], std::string("time,port,unit,master_file,master_sha256,result,"
                                       "failed_step,backup_file,reason"));
        std::sort(lines.begin() + 1, lines.end(), [](const std::string& a, const std::string& b) {
            return a.substr(a.find(',')) < b.substr(b.find(','));
        });
        QVERIFY2(lines[1].find(",COM1,") != std::string::npos &&
                     lines[1].find(",master.dat,") != std::string::npos &&
                     lines[1].find(",PASS,,,verified") != std::string::npos,
                 lines[1].c_str());
        QVERIFY(lines[2].find(",COM1,") != std::string::npos);
        QVERIFY(lines[3].find(",COM2,") != std::string::npos &&
                lines[3].find(",PASS,") != std::string::npos);
        QVERIFY2(lines[4].find(",COM3,") != std::string::npos &&
                     lines[4].find(",FAIL,verify,,") != std::string::npos,
                 lines[4].c_str());
    }
};

} // namespace hx

QTEST_MAIN(hx::ProofTest)
#include "ProofTest.moc"
