// The documentation's pictures of the window and its dialogs, in both languages, with
// a few channels filled: scripts/make-screenshots runs this on a private X server.
// usage: window_screenshots DIR [Qt Test options, or the names of some pictures]
#include "core/testsupport/FakeSystem.h"
#include "core/testsupport/FileContents.h"
#include "gui/dialogs/CloneDialog.h"
#include "gui/dialogs/CommunicationDialog.h"
#include "gui/dialogs/PortDialog.h"
#include "gui/window/tests/WindowFixture.h"

#include <QScreen>
#include <cstdio>

namespace hx {

namespace fs = std::filesystem;

class WindowScreenshots : public QObject, public WindowFixture {
    Q_OBJECT

public:
    explicit WindowScreenshots(QString dir) : dir_(std::move(dir)) {}

private:
    static constexpr const char* kLanguages[] = {"en", "zh"};
    static std::string settingsFor(const std::string& language, const char* more = "") {
        return (language == "en" ? "Language=2\n" : "Language=1\n") + std::string(more);
    }
    QString file(const QString& name, const std::string& language) const {
        return dir_ + "/" + name + "-" + QString::fromStdString(language) + ".png";
    }
    // A modal dialog's script that saves it as `name`.
    std::function<void(QDialog&)> grab(const QString& name, const std::string& language) const {
        return [this, name, language](QDialog& d) {
            QVERIFY(QTest::qWaitForWindowExposed(&d));
            QVERIFY(d.grab().save(file(name, language)));
        };
    }
    // The port, communication and About dialogs as the window shows them.
    void saveDialogs(const std::string& language) {
        const WindowState& st = window_->state();
        auto choices = ListPortChoices(st.settingDir());
        choices[4] = {5, "/dev/pts/3", true};
        PortDialog ports({5, st.language, st.colours.full, choices}, window_.get());
        ports.show();
        grab("port", language)(ports);
        CommunicationDialog commun({false, st.language, st.colours.full, [](const std::string&) {},
                                    [](CommunicationDialog&) {}, [](bool) {}, true},
                                   window_.get());
        commun.progressBar->setMaximum(122);
        commun.progressBar->setValue(61);
        commun.show();
        grab("commun", language)(commun);
        dialogs_.modal = {grab("about", language)};
        window_->action("aboutAction")->trigger();
    }
    static FakeSystem::UsbAdapter Adapter(std::string byId) {
        FakeSystem::UsbAdapter adapter;
        adapter.byId = std::move(byId);
        return adapter;
    }

    QString dir_;

private slots:
    void cleanup() { finish(); }

    // One window in both languages: the Chinese one keeps the English one's size.
    void window() {
        MainWindow& w = start();
        edit(0, "440.0125", "445.0125");
        encodeToneList()->setCurrentIndex(5);
        pressOk();
        edit(1, "450.5");
        edit(2, "480");
        edit(3, "462.5625", "467.5625");
        w.resize(w.sizeHint());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (const std::string language : kLanguages) {
            if (language == "zh")
                w.selectLanguage(Language::Chinese);
            QTest::qWait(50);
            QVERIFY(w.grab().save(file("window", language)));
            saveDialogs(language);
        }
    }

    // The import preview, and the export options beside it.
    void plans() {
        for (const std::string language : kLanguages) {
            MainWindow& w = start(settingsFor(language));
            edit(0, "450.0125", "455.0125", 3);
            edit(1, "451");
            const std::string heading = language == "en"
                                            ? "channel,RX Freq.,TX Freq.,QT/DQT Dec.,comment\r\n"
                                            : "信道,接收频率,发射频率,QT/DQT解码,备注\r\n";
            const fs::path plan = folder_ / "customer-plan.csv";
            PutFileBytes(plan, heading +
                                   "1,450.0125,455.0125,67.0,Gate\r\n"
                                   "2,480,,,\r\n"
                                   "3,452.5,452.5,D023N,Yard\r\n"
                                   "4,4x0,,,\r\n\r\n" +
                                   (language == "en" ? "squelch level,3\r\n" : "静噪等级,3\r\n"));
            dialogs_.files = {plan};
            dialogs_.modal = {grab("import", language)};
            w.action("importPlanAction")->trigger();
            dialogs_.modal = {grab("export-options", language)};
            w.action("exportPlanAction")->trigger();
            cleanup();
        }
    }

    // Clone Radios after a run of three radios, the third storing a byte wrong.
    void clone() {
        for (const std::string language : kLanguages) {
            MainWindow& w = start(settingsFor(language, "COM=5\nSettleTime=0\n"));
            edit(3, "450.125");
            saveAs(folder_ / "master.dat");
            startRadios({"--radios", "3", "--faulty", "3", "--corrupt", "0x40"}, 1);
            dialogs_.modal = {[&](QDialog& dialog) {
                auto& clone = static_cast<CloneDialog&>(dialog);
                clone.portBoxes[4]->setChecked(false);
                for (std::size_t i = 0; i < 3; ++i)
                    clone.portBoxes[i]->setChecked(true);
                clone.verifyBox->setChecked(true);
                clone.beginButton->click();
                for (auto& panel : clone.panels)
                    QTRY_VERIFY(panel.waiting);
                for (auto& panel : clone.panels)
                    panel.start->click();
                for (auto& panel : clone.panels)
                    QTRY_COMPARE_WITH_TIMEOUT(panel.radios, 1, 30000);
                grab("clone", language)(clone);
            }};
            w.action("cloneRadiosAction")->trigger();
            cleanup();
        }
    }

    // The window compared with the data file it was saved as before a few edits.
    void comparison() {
        for (const std::string language : kLanguages) {
            MainWindow& w = start(settingsFor(language, "COM=5\n"));
            edit(0, "450.0125", "455.0125");
            edit(2, "450.125", "450.125");
            const fs::path sold = folder_ / "customer-radio.dat";
            saveAs(sold);
            edit(2, "450.25", "450.125");
            edit(5, "403.5");
            functionList(FunctionSetting::SquelchLevel)->setCurrentIndex(3);
            dialogs_.files = {sold};
            dialogs_.modal = {grab("compare", language)};
            w.action("compareFileAction")->trigger();
            cleanup();
        }
    }

    // The cable check with a cable this user may not open.
    void cableCheck() {
        for (const std::string language : kLanguages) {
            MainWindow& w = start(settingsFor(language, "COM=1\n"));
            FakeSystem system(folder_ / "root");
            system.plugUsb("ttyUSB0", Adapter("usb-FTDI_FT232R_USB_UART_A10K6ABC-if00-port0"));
            system.plugUsb("ttyACM0", Adapter({}), 2);
            system.put("usr/sbin/brltty", "");
            w.transfers().setSystem(system.viewAs({12345}));
            dialogs_.modal = {grab("cable", language)};
            w.action("checkCableAction")->trigger();
            cleanup();
        }
    }

    // The screen halfway through a write at line speed, as the X server shows it: the
    // bar and the status text reach the display while the transfer holds the event loop.
    void runningWrite() {
        for (const std::string language : kLanguages) {
            MainWindow& w = start(settingsFor(language, "COM=5\n"));
            startRadios({}, 5, false);
            edit(0, "450.0125", "455");
            w.resize(w.sizeHint());
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            const QString name = file("transfer", language);
            dialogs_.modal = {[&](QDialog& d) {
                auto& commun = static_cast<CommunicationDialog&>(d);
                commun.move(w.geometry().center() - commun.rect().center());
                QVERIFY(QTest::qWaitForWindowExposed(&commun));
                connect(commun.progressBar, &QProgressBar::valueChanged, this, [&](int v) {
                    if (v == 61)
                        QGuiApplication::primaryScreen()
                            ->grabWindow(0)
                            .copy(w.geometry())
                            .save(name);
                });
                commun.transferButton->click();
            }};
            w.action("writeRadioAction")->trigger();
            QVERIFY(fs::exists(name.toStdString()));
            cleanup();
        }
    }
};

} // namespace hx

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DIR [Qt Test options]\n", argv[0]);
        return 2;
    }
    hx::WindowScreenshots shots(QString::fromLocal8Bit(argv[1]));
    std::vector<char*> rest{argv[0]};
    rest.insert(rest.end(), argv + 2, argv + argc);
    return QTest::qExec(&shots, static_cast<int>(rest.size()), rest.data());
}

#include "WindowScreenshots.moc"
