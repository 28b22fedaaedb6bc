#pragma once

#include "adapters/serial/QtSerialPort.h"
#include "core/files/ProfileFile.h"
#include "core/testsupport/EmulatorProcess.h"
#include "gui/window/MainWindow.h"
#include "gui/window/tests/ScriptedDialogs.h"
#include "gui/window/tests/TestAppFolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace hx {

// What the window tests share: a window on a scratch application folder whose
// questions and dialogs a script answers, and its controls as the user meets them.
// Only this class knows how the window's areas are put together; it finds their
// controls by the names the window gives them, so a test says what the user does.
class WindowFixture {
public:
    // `settings` go into the 7200 profile's Setting section of every fresh folder;
    // `openPort` is what the window opens its serial port with.
    explicit WindowFixture(std::string settings = "Language=2\n",
                           PortOpener openPort = OpenQtSerialPort)
        : settings_(std::move(settings)), openPort_(std::move(openPort)) {}

protected:
    // A fresh application folder, with the shipped Setting files unless `shipped` is
    // false; `launch` then starts a window on it.
    void prepare(const std::string& settings, bool shipped = true) {
        window_.reset();
        dialogs_ = ScriptedDialogs();
        folder_ = MakeTestAppFolder("hxprog_window", settings, shipped);
    }
    void prepare() { prepare(settings_); }
    MainWindow& launch() {
        window_.reset(); // a window that ends stores its settings
        window_ = std::make_unique<MainWindow>(folder_, dialogs_, openPort_);
        window_->startUp();
        return *window_;
    }
    MainWindow& start() { return start(settings_); }
    MainWindow& start(const std::string& settings) {
        prepare(settings);
        return launch();
    }
    // Closes the window and removes its folder; a question or dialog that no script
    // answered fails the test.
    void finish() {
        const bool unscripted = dialogs_.unscripted;
        window_.reset();
        sim_.reset();
        std::filesystem::remove_all(folder_);
        QVERIFY2(!unscripted, "an unexpected question or dialog");
    }

    // Chooses the channel, types its frequencies (and picks its decode tone), then OK.
    void edit(int channel, const QString& rx, const QString& tx = {},
              std::optional<int> decodeTone = {}) {
        chooseChannel(channel);
        rxBox()->setText(rx);
        txBox()->setText(tx);
        if (decodeTone)
            decodeToneList()->setCurrentIndex(*decodeTone);
        pressOk();
    }
    // File > Save As, the file dialog answered with `file`.
    DataFileCommands::SaveOutcome saveAs(const std::filesystem::path& file) {
        dialogs_.files = {file};
        return window_->files().saveFileAs();
    }
    void chooseChannel(int channel) { channelList()->setCurrentIndex(channel); }
    void pressOk() { okButton()->click(); }
    // The focus leaves `box` for another control of the window.
    static void leave(QWidget* box) {
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(box, &out);
    }
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    static void press(QWidget* at, QKeySequence::StandardKey key) {
        const QKeyCombination combination = QKeySequence(key)[0];
        QTest::keyClick(at, combination.key(), combination.keyboardModifiers());
    }

    // The channel editor.
    QComboBox* channelList() const { return find<QComboBox>("channelList"); }
    QScrollBar* channelScrollBar() const { return find<QScrollBar>("channelScrollBar"); }
    QLineEdit* rxBox() const { return find<QLineEdit>("receiveFrequencyBox"); }
    QLineEdit* txBox() const { return find<QLineEdit>("transmitFrequencyBox"); }
    QComboBox* decodeToneList() const { return find<QComboBox>("decodeToneList"); }
    QComboBox* encodeToneList() const { return find<QComboBox>("encodeToneList"); }
    QCheckBox* busyLockoutBox() const { return find<QCheckBox>("busyLockoutBox"); }
    QCheckBox* shiftBox() const { return find<QCheckBox>("shiftBox"); }
    QCheckBox* txEqualsRxBox() const { return find<QCheckBox>("txEqualsRxBox"); }
    QCheckBox* deleteAllBox() const { return find<QCheckBox>("deleteAllChannelsBox"); }
    QPushButton* okButton() const { return find<QPushButton>("okButton"); }

    // The model and function areas.
    QComboBox* subModelList() const { return find<QComboBox>("subModelList"); }
    QString band() const { return find<QLabel>("bandValueLabel")->text(); }
    QComboBox* functionList(FunctionSetting setting) const {
        static constexpr const char* kNames[] = {"monitorKeyList",   "timeOutTimerList",
                                                 "squelchLevelList", "batterySaveList",
                                                 "beepToneList",     "wideNarrowList"};
        return find<QComboBox>(kNames[static_cast<int>(setting)]);
    }

    // The channel table: its cells, their heading, its pop-up menu and the rows chosen.
    QLineEdit* cellBox(Field field, int channel) const {
        return find<QLineEdit>(QString("channelCell%1").arg(CellIndex(field, channel)));
    }
    QString cell(Field field, int channel) const { return cellBox(field, channel)->text(); }
    void clickCell(Field field, int channel, Qt::MouseButton button = Qt::LeftButton,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QTest::mouseClick(cellBox(field, channel), button, modifiers);
    }
    QLabel* rxHeading() const { return find<QLabel>("receiveFrequencyHeading"); }
    QMenu* channelMenu() const { return find<QMenu>("channelPopupMenu"); }
    QAction* channelMenuItem(const char* name) const {
        return channelMenu()->findChild<QAction*>(name);
    }
    std::vector<int> selectedChannels() const { return table()->selectedChannels(); }
    // Selects rows without the clicks that would also move the editor and the cell a
    // paste goes to.
    void selectRows(const std::vector<int>& channels) const { table()->select(channels); }

    // A menu of the menu bar, and the same about to open: its items as it shows them.
    QMenu* menu(const char* name) const { return find<QMenu>(name); }
    void openMenu(const char* name) const { emit menu(name)->aboutToShow(); }

    // The status bar: 1 the state, 2 the port, 3 the file.
    QString statusPanel(int number) const {
        static constexpr const char* kNames[] = {"statePanel", "portPanel", "fileNamePanel"};
        return find<QLabel>(kNames[number - 1])->text();
    }
    std::string status() const { return statusPanel(1).toStdString(); }
    std::string lastMessage() const {
        return dialogs_.messages.empty() ? "" : dialogs_.messages.back().text;
    }
    std::string storedSetting(const char* key) const {
        return ProfileFile(folder_ / "Setting/Config_7200.ini").read("Setting", key, "", 300);
    }
    // Names `device` as port COM`number`.
    void mapPort(int number, const std::string& device) const {
        ProfileFile(folder_ / "Setting/Ports.ini")
            .write("Ports", "COM" + std::to_string(number), device);
    }
    // Starts hxsim with `args`, its radios named as the ports from COM`firstPort` on;
    // they answer at line speed only when `fast` is false.
    void startRadios(std::vector<std::string> args, int firstPort = 5, bool fast = true) {
        if (fast)
            args.push_back("--fast");
        sim_ = std::make_unique<EmulatorProcess>(std::move(args));
        QVERIFY(!sim_->devices().empty());
        for (std::size_t i = 0; i < sim_->devices().size(); ++i)
            mapPort(firstPort + static_cast<int>(i), sim_->devices()[i]);
    }

    std::filesystem::path folder_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<EmulatorProcess> sim_; // the radios, when a test started them

private:
    ChannelTableView* table() const { return find<ChannelTableView>("channelTable"); }
    template <typename Control> Control* find(const QString& name) const {
        auto* control = window_->findChild<Control*>(name);
        if (!control)
            qFatal("the window has no %s", qPrintable(name));
        return control;
    }

    std::string settings_;
    PortOpener openPort_;
};

} // namespace hx
