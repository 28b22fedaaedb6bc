#include "core/image/ImageEncoder.h"
#include "gui/dialogs/AboutDialog.h"
#include "gui/window/tests/WindowFixture.h"

#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <fstream>
#include <map>

namespace hx {

namespace fs = std::filesystem;

class MainWindowTest : public QObject, public WindowFixture {
    Q_OBJECT

    // Another window takes the focus, as another program or a question box does.
    static void takeFocusAway(QWidget& elsewhere) {
        elsewhere.show();
        elsewhere.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    }
    static QString focusName() {
        const QWidget* w = QApplication::focusWidget();
        return w ? w->objectName() : QString();
    }
    // Whether a cell shows its whole text: from its left edge to its right edge.
    static bool showsWholeText(QLineEdit* cell) {
        const int middle = cell->height() / 2;
        return cell->cursorPositionAt({1, middle}) == 0 &&
               cell->cursorPositionAt({cell->width() - 2, middle}) == cell->text().size();
    }
    static std::string read(const fs::path& file, const char* key) {
        return ProfileFile(file).read("Setting", key, "<missing>", 299);
    }

private slots:
    void cleanup() { finish(); }

    void firstStartInAnEmptyFolderAsksOnceAndWritesTheFirstSet() {
        prepare("", false);
        dialogs_.language = Language::Chinese;
        MainWindow& w = launch();
        QCOMPARE(dialogs_.languageChoices, 1);
        QVERIFY(dialogs_.messages.empty());
        QVERIFY(fs::is_directory(folder_ / "Data"));
        const fs::path profile = folder_ / "Setting/Config_7200.ini";
        QCOMPARE(read(profile, "Language"), std::string("1"));
        QCOMPARE(read(profile, "ColorText"), std::string("&HDDDEE4"));
        QCOMPARE(read(profile, "NotLimitedModel"), std::string("True"));
        QCOMPARE(read(profile, "Path"), std::string(""));
        QCOMPARE(w.state().language, Language::Chinese);
        QCOMPARE(subModelList()->count(), 4); // the built-in profile
        QCOMPARE(subModelList()->currentIndex(), 1);
        const QColor empty = cellBox(Field::RxFrequency, 0)->palette().color(QPalette::Base);
        QCOMPARE(empty, QColor(0xE4, 0xDE, 0xDD)); // the written colour is in force
        QCOMPARE(statusPanel(1), QString("就绪"));

        launch(); // the second start reads what the first wrote
        QCOMPARE(dialogs_.languageChoices, 1);
    }

    void exitAsksAndKeepsRunningOnNo() {
        MainWindow& w = start();
        w.show();
        dialogs_.answers = {false};
        QVERIFY(!w.close());
        QCOMPARE(dialogs_.questions.back().text, std::string("Are you sure want to exit?"));
        QVERIFY(w.isVisible());
        QCOMPARE(read(folder_ / "Setting/Config_7200.ini", "FreEqual"), std::string("<missing>"));
        txEqualsRxBox()->setChecked(false);
        dialogs_.answers = {true}; // nothing changed: only the exit question
        QVERIFY(w.close());
        QCOMPARE(dialogs_.questions.size(), std::size_t(2));
        QCOMPARE(read(folder_ / "Setting/Config_7200.ini", "FreEqual"), std::string("0"));
    }

    void aBrokenProfileShowsTheStartUpError() {
        prepare();
        std::ofstream(folder_ / "Setting/Config_7200.ini") << "[Model]\nModCnt=8\n";
        launch();
        QCOMPARE(dialogs_.messages.size(), std::size_t(1));
        QCOMPARE(dialogs_.messages[0].text, std::string("Initial Soft Occur Error!"));
        QCOMPARE(dialogs_.messages[0].icon, MessageIcon::Exclamation);
        QCOMPARE(dialogs_.messages[0].title, std::string()); // no texts loaded yet
        QVERIFY(!window_->state().startupInProgress);
    }

    void aBrokenProfileFoundByAModelSwitchShowsTheTitle() {
        prepare();
        std::ofstream(folder_ / "Setting/Config_7100.ini") << "[Model]\nModCnt=8\n";
        MainWindow& w = launch();
        dialogs_.answers = {true};
        w.switchModelSeries(7100);
        QCOMPARE(dialogs_.messages.size(), std::size_t(1));
        QCOMPARE(dialogs_.messages[0].title, std::string("Notice"));
    }

    void storedSettingsAreReadAndStoredBack() {
        MainWindow& w = start("Language=2\nCOM=3\nModel=9\nFreEqual=0\nPath=/elsewhere.dat\n");
        QCOMPARE(statusPanel(2), QString("COM3"));
        QCOMPARE(subModelList()->currentIndex(), 0);
        QVERIFY(!txEqualsRxBox()->isChecked());
        QCOMPARE(w.state().currentDataFile, (folder_ / "Data/TempData.dat").string());
        QVERIFY(w.action("englishAction")->isChecked());
        w.selectLanguage(Language::Chinese); // a store outside start-up
        const fs::path profile = folder_ / "Setting/Config_7200.ini";
        QCOMPARE(read(profile, "Language"), std::string("1"));
        QCOMPARE(read(profile, "Model"), std::string("0"));
        QCOMPARE(read(profile, "COM"), std::string("3"));
    }

    void modelSwitchAskedBothWays() {
        MainWindow& w = start();
        edit(0, "450");
        w.switchModelSeries(7200);
        QVERIFY(dialogs_.questions.empty()); // the series in use asks nothing
        dialogs_.answers = {false};
        w.switchModelSeries(7100);
        QCOMPARE(dialogs_.questions.back().text,
                 std::string("Do you want to switch to QRW71 soft?"));
        QCOMPARE(w.state().modelCode, 7200);
        QCOMPARE(cell(Field::RxFrequency, 0), QString("450.00000"));

        dialogs_.answers = {true, false}; // switch, then do not save
        w.switchModelSeries(7100);
        QCOMPARE(dialogs_.questions.back().text,
                 std::string("TempData has changed,Do you want to save it now?"));
        QCOMPARE(w.state().modelCode, 7100);
        QCOMPARE(ProfileFile(folder_ / "Setting/ParaConfig.ini").read("Config", "Type", "", 14),
                 std::string("7100"));
        QCOMPARE(functionList(FunctionSetting::MonitorKey)->count(), 2);
        QCOMPARE(functionList(FunctionSetting::SquelchLevel)->itemText(0), QString("1"));
        QCOMPARE(cell(Field::RxFrequency, 0), QString(""));
        QVERIFY(w.action("hx7100Action")->isChecked());
        QVERIFY(!w.action("hx7200Action")->isChecked());
    }

    void subModelChangeAskedBothWays() {
        MainWindow& w = start();
        edit(2, "450");
        auto* list = subModelList();
        dialogs_.answers = {false};
        list->setCurrentIndex(0);
        QCOMPARE(dialogs_.questions.back().text,
                 std::string("All data will be cleared,continue？"));
        QCOMPARE(dialogs_.questions.back().icon, MessageIcon::Exclamation);
        QCOMPARE(list->currentIndex(), 1);
        QCOMPARE(band(), QString("400-470MHz"));
        QCOMPARE(w.state().plug.channels.value(2, Field::RxFrequency), 450.0);

        dialogs_.answers = {true};
        list->setCurrentIndex(2);
        QCOMPARE(band(), QString("446MHz"));
        QVERIFY(!w.state().plug.channels.inUse(2));
        QCOMPARE(cell(Field::RxFrequency, 2), QString(""));
        QCOMPARE(read(folder_ / "Setting/Config_7200.ini", "Model"), std::string("2"));
    }

    void frequencyEntryUnderEachCheckSetting() {
        struct Case {
            const char* settings;
            const char* typed;
            const char* after;
            const char* message;
        };
        const Case cases[] = {
            {"Language=2\nOverFreFont=False\n", "390", "",
             "Out of range!The valid range is 400-470MHz"},
            {"Language=1\nOverFreFont=False\n", "390", "",
             "接收频率超出范围！有效范围为400-470MHz"},
            {"Language=2\n", "480.01", "480.01250", nullptr},
            {"Language=2\n", "446.00625", "446.00000", nullptr},
            {"Language=2\nValLegal=False\n", "99", "400.00000", nullptr},
            {"Language=2\nValLegal=False\n", "520.01", "520.01250", nullptr},
        };
        for (const Case& c : cases) {
            start(c.settings);
            rxBox()->setText(c.typed);
            leave(rxBox());
            QCOMPARE(rxBox()->text(), QString(c.after));
            if (c.message) {
                QCOMPARE(dialogs_.messages.size(), std::size_t(1));
                QCOMPARE(dialogs_.messages[0].text, std::string(c.message));
                QCOMPARE(dialogs_.messages[0].icon, MessageIcon::Critical);
            } else {
                QVERIFY(dialogs_.messages.empty());
            }
            cleanup();
        }
    }

    // The check belongs to leaving the box for another control of the window; the
    // window losing the focus, a menu or a question box leave the entry as typed.
    void aFrequencyIsCheckedOnlyWhenTheUserMovesToAnotherControl() {
        MainWindow& w = start("Language=2\nOverFreFont=False\n");
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QLineEdit* box = rxBox();
        box->setFocus();
        QTest::keyClicks(box, "446.0");
        {
            QWidget otherProgram;
            takeFocusAway(otherProgram);
        }
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(box->text(), QString("446.0"));
        QCOMPARE(QApplication::focusWidget(), box);

        QTest::keyClick(&w, Qt::Key_F, Qt::AltModifier); // the File menu, then back
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        if (QApplication::focusWidget() == w.menuBar())
            press(Qt::Key_Escape);
        QCOMPARE(box->text(), QString("446.0"));
        QCOMPARE(QApplication::focusWidget(), box);

        QTest::keyClicks(box, "125");
        press(Qt::Key_Tab);
        QCOMPARE(box->text(), QString("446.01250"));
        QVERIFY(dialogs_.messages.empty());

        // Closing with an entry out of band: the exit question comes alone.
        box->setFocus();
        box->clear();
        QTest::keyClicks(box, "300");
        QWidget questionBox;
        dialogs_.whileAsking = [&] { takeFocusAway(questionBox); };
        dialogs_.answers = {false};
        QVERIFY(!w.close());
        QVERIFY(dialogs_.messages.empty());
        QCOMPARE(box->text(), QString("300"));

        // Nor does the window closing with the focus in the box.
        dialogs_.whileAsking = nullptr;
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        box->setFocus();
        dialogs_.answers = {true};
        QVERIFY(w.close());
        QVERIFY(dialogs_.messages.empty());
        QCOMPARE(box->text(), QString("300"));
    }

    void aDecimalCommaIsTheDecimalPointInBothBoxes() {
        for (const char* settings : {"Language=2\n", "Language=2\nValLegal=False\n"}) {
            MainWindow& w = start(settings);
            for (QLineEdit* box : {rxBox(), txBox()}) {
                QTest::keyClicks(box, "446,0125"); // as typed, one key at a time
                leave(box);
                QCOMPARE(box->text(), QString("446.01250"));
            }
            pressOk();
            QCOMPARE(w.state().plug.channels.value(0, Field::TxFrequency), 446.0125);
            QCOMPARE(cell(Field::RxFrequency, 0), QString("446.01250"));
            cleanup();
        }
    }

    void outOfBandEntriesAreMarkedOnOk() {
        start();
        edit(4, "480.01");
        QCOMPARE(cell(Field::RxFrequency, 4), QString("480.01250"));
        const QColor hint = cellBox(Field::RxFrequency, 4)->palette().color(QPalette::Text);
        QCOMPARE(hint, QColor(255, 0, 0));
        edit(5, "50");
        QCOMPARE(cell(Field::RxFrequency, 5), QString("400.00000"));
    }

    void typingANonNumberDisablesTheChannelOptions() {
        start();
        rxBox()->setText("450");
        QVERIFY(decodeToneList()->isEnabled());
        QCOMPARE(decodeToneList()->currentIndex(), 0);
        rxBox()->setText("4x");
        QCOMPARE(rxBox()->text(), QString());
        QVERIFY(!decodeToneList()->isEnabled());
        QVERIFY(!busyLockoutBox()->isEnabled());
        QVERIFY(!shiftBox()->isEnabled());
    }

    void okStoresAndClearsAChannel() {
        MainWindow& w = start();
        chooseChannel(3);
        rxBox()->setText("445.00625");
        leave(rxBox()); // snapped as the user leaves the box
        txBox()->setText("");
        decodeToneList()->setCurrentIndex(2);
        shiftBox()->setChecked(true);
        pressOk();
        const auto& table = w.state().plug.channels;
        QCOMPARE(table.value(3, Field::RxFrequency), 445.0);
        QCOMPARE(table.value(3, Field::TxFrequency), EmptyValue);
        QCOMPARE(table.value(3, Field::RxTone), 2.0);
        QCOMPARE(table.value(3, Field::Shift), 1.0);
        QCOMPARE(cell(Field::RxFrequency, 3), QString("445.00000"));
        QCOMPARE(cell(Field::RxTone, 3), QString("71.9"));
        QCOMPARE(cell(Field::Shift, 3), QString("Yes"));
        QCOMPARE(cell(Field::BusyLockout, 3), QString("No"));
        QVERIFY(w.state().plug.modified);

        rxBox()->clear();
        txBox()->setText("450");
        pressOk();
        QVERIFY(!table.inUse(3));
        QCOMPARE(cell(Field::TxFrequency, 3), QString(""));
    }

    void deletionsWithAndWithoutTheirQuestion() {
        MainWindow& w = start();
        edit(0, "450");
        edit(1, "451");
        dialogs_.answers = {false};
        deleteAllBox()->click();
        QCOMPARE(dialogs_.questions.back().text,
                 std::string("Are you sure delete all channels data？"));
        QVERIFY(!deleteAllBox()->isChecked());
        QVERIFY(w.state().plug.channels.inUse(1));

        channelMenuItem("deleteChannelAction")->trigger(); // the current channel: 2
        QVERIFY(!w.state().plug.channels.inUse(1));
        QVERIFY(w.state().plug.channels.inUse(0));

        const std::size_t asked = dialogs_.questions.size();
        channelMenuItem("deleteAllChannelsAction")->trigger();
        QCOMPARE(dialogs_.questions.size(), asked);
        QVERIFY(!w.state().plug.channels.inUse(0));
        QCOMPARE(channelList()->currentIndex(), 0);

        edit(6, "452");
        dialogs_.answers = {true};
        deleteAllBox()->click();
        QVERIFY(!w.state().plug.channels.inUse(6));
    }

    void tableClicksAndTheSpin() {
        MainWindow& w = start();
        clickCell(Field::BusyLockout, 12, Qt::LeftButton);
        QCOMPARE(channelList()->currentText(), QString("13"));
        QCOMPARE(w.state().currentChannel, 12);

        clickCell(Field::RxFrequency, 0, Qt::RightButton);
        QCOMPARE(channelMenuItem("deleteChannelAction")->text(), QString("D&elete channel 1 data"));
        channelMenu()->hide();
        QCOMPARE(channelList()->currentIndex(), 0);

        channelScrollBar()->setValue(0); // spinning past channel 1
        QCOMPARE(channelList()->currentText(), QString("16"));
        channelScrollBar()->setValue(17);
        QCOMPARE(channelList()->currentText(), QString("1"));
    }

    // Tab runs model, functions, channel editor, OK, then the table as one stop with
    // the arrows inside it; Return and Space press a focused button.
    void theKeyboardReachesEveryControl() {
        MainWindow& w = start();
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(QApplication::focusWidget(), rxBox());
        QTest::keyClicks(rxBox(), "450");
        QTest::keyClicks(txBox(), "455");

        subModelList()->setFocus(Qt::TabFocusReason);
        QStringList order{focusName()};
        for (int i = 0; i < 40; ++i) {
            press(Qt::Key_Tab);
            if (focusName() == order.front())
                break;
            order << focusName();
        }
        const QStringList expected{
            "subModelList",    "monitorKeyList",       "timeOutTimerList", "squelchLevelList",
            "batterySaveList", "beepToneList",         "channelList",      "receiveFrequencyBox",
            "decodeToneList",  "transmitFrequencyBox", "encodeToneList",   "busyLockoutBox",
            "shiftBox",        "wideNarrowList",       "txEqualsRxBox",    "deleteAllChannelsBox",
            "okButton",        "channelCell1000"};
        QCOMPARE(order, expected);

        press(Qt::Key_Tab, Qt::ShiftModifier); // back into the table
        QCOMPARE(focusName(), QString("channelCell1000"));
        press(Qt::Key_Down);
        QCOMPARE(focusName(), QString("channelCell1001"));
        QCOMPARE(channelList()->currentText(), QString("2"));
        press(Qt::Key_Right);
        QCOMPARE(focusName(), QString("channelCell2001"));
        press(Qt::Key_Up);
        QCOMPARE(focusName(), QString("channelCell2000"));
        QCOMPARE(channelList()->currentText(), QString("1"));
        press(Qt::Key_Tab);
        QCOMPARE(focusName(), QString("subModelList"));
        press(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(focusName(), QString("channelCell2000")); // the table keeps its place
        press(Qt::Key_Down);
        press(Qt::Key_Menu); // the deletions, as a right-click offers them
        QTRY_VERIFY(channelMenu()->isVisible());
        QCOMPARE(channelMenuItem("deleteChannelAction")->text(), QString("D&elete channel 2 data"));
        channelMenu()->hide();

        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
            chooseChannel(key == Qt::Key_Return ? 5 : 6);
            rxBox()->setText("451");
            okButton()->setFocus();
            press(key);
            QVERIFY(w.state().plug.channels.inUse(key == Qt::Key_Return ? 5 : 6));
        }
    }

    // Alt and a letter reach every item of every menu, the table's pop-up and a full
    // recent-file list among them, in both languages: no item lacks its key, and no
    // two items of one menu share one.
    void everyMenuItemHasAnAccessKeyOfItsOwn() {
        QStringList faults;
        for (const char* settings : {"Language=1\n", "Language=2\n"}) {
            MainWindow& w = start(settings);
            for (int i = 10; i > 0; --i)
                w.recentFiles().remember(folder_ / ("radio" + std::to_string(i) + ".dat"));
            clickCell(Field::RxFrequency, 0, Qt::RightButton); // names the channel
            channelMenu()->hide();
            const QList<QMenu*> menus = w.findChildren<QMenu*>();
            QVERIFY(menus.contains(channelMenu()));
            QVERIFY(menus.size() >= 7);
            for (const QMenu* menu : menus) {
                std::map<QString, QString> taken; // key, item
                for (const QAction* item : menu->actions()) {
                    if (item->isSeparator())
                        continue;
                    const QString key = QKeySequence::mnemonic(item->text()).toString();
                    if (key.isEmpty())
                        faults << menu->objectName() + ": " + item->text() + " has no key";
                    else if (const auto [at, fresh] = taken.emplace(key, item->text()); !fresh)
                        faults << menu->objectName() + ": " + item->text() + " and " + at->second +
                                      " share " + key;
                }
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    }

    void messageBoxesSpeakTheInterfaceLanguage() {
        const auto yes = [] {
            QMessageBox box(QMessageBox::Question, "", "", QMessageBox::Yes | QMessageBox::No);
            return box.button(QMessageBox::Yes)->text();
        };
        MainWindow& w = start("Language=1\n");
        QCOMPARE(yes(), QString("是(&Y)"));
        w.selectLanguage(Language::English);
        QCOMPARE(yes(), QString("&Yes"));
        w.selectLanguage(Language::Chinese);
        QCOMPARE(yes(), QString("是(&Y)"));
    }

    // At its smallest the window still shows whole frequencies; room beyond that
    // goes to the table's rows and columns, not to its heading.
    void theTableShowsWholeFrequenciesAndTakesTheExtraRoom() {
        MainWindow& w = start();
        edit(0, "450.0125", "455.0125");
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QLabel* heading = rxHeading();
        QLineEdit* rx = cellBox(Field::RxFrequency, 0);
        QLineEdit* tx = cellBox(Field::TxFrequency, 0);
        for (Language language : {Language::English, Language::Chinese}) {
            w.selectLanguage(language);
            w.resize(1, 1);
            QTRY_COMPARE(w.size(), w.minimumSize());
            QTest::qWait(20);
            QVERIFY2(showsWholeText(rx), qPrintable(rx->text()));
            QVERIFY2(showsWholeText(tx), qPrintable(tx->text()));
        }
        const QSize small = rx->size();
        const int headingHeight = heading->height();
        w.resize(w.minimumSize() + QSize(400, 480));
        QTRY_VERIFY(rx->height() > small.height() + 20);
        QVERIFY(rx->width() > small.width() + 40);
        QVERIFY(heading->height() <= headingHeight + 2);
    }

    void languageSwitchKeepsSelections() {
        MainWindow& w = start();
        auto* squelch = functionList(FunctionSetting::SquelchLevel);
        auto* monitor = functionList(FunctionSetting::MonitorKey);
        squelch->setCurrentIndex(3);
        monitor->setCurrentIndex(1);
        edit(0, "450");
        w.selectLanguage(Language::Chinese);
        QCOMPARE(squelch->currentIndex(), 3);
        QCOMPARE(monitor->currentText(), QString("瞬时监听"));
        QCOMPARE(cell(Field::RxTone, 0), QString("无"));
        QCOMPARE(cell(Field::BusyLockout, 0), QString("否"));
        QCOMPARE(w.windowTitle(), QString("QRW72系列对讲机编程软件 V1.0"));
        QCOMPARE(w.font().family(), QString("宋体"));
    }

    void helpAndAboutFollowTheModelAndTheLanguage() {
        prepare();
        ProfileFile(folder_ / "Setting/ParaConfig.ini").write("Config", "Type", "7400");
        ProfileFile(folder_ / "Setting/Config_7400.ini").write("Setting", "Language", "2");
        MainWindow& w = launch();
        dialogs_.viewerOpens = [](const fs::path&) { return true; };
        w.action("helpTopicAction")->trigger();
        QCOMPARE(dialogs_.documents.back(), folder_ / "Help/EngHELP_7400.chm");
        w.selectLanguage(Language::Chinese);
        w.action("helpTopicAction")->trigger();
        QCOMPARE(dialogs_.documents.back(), folder_ / "Help/CHSHELP_7400.chm");

        // Without a viewer for compiled help, the page of the same name; without
        // either, a message naming what was looked for.
        dialogs_.viewerOpens = [](const fs::path& p) { return p.extension() == ".html"; };
        w.action("helpTopicAction")->trigger();
        QCOMPARE(dialogs_.documents.back(), folder_ / "Help/CHSHELP_7400.html");
        dialogs_.viewerOpens = [](const fs::path&) { return false; };
        w.action("helpTopicAction")->trigger();
        QVERIFY(dialogs_.messages.back().text.ends_with("CHSHELP_7400.html"));

        std::vector<std::string> seen;
        const auto readAbout = [&](QDialog& d) {
            auto& about = static_cast<AboutDialog&>(d);
            seen = {about.titleLabel->text().toStdString(), about.modelsLabel->text().toStdString(),
                    about.versionLabel->text().toStdString(), about.okButton->text().toStdString()};
            QVERIFY(!about.disclaimerLabel->text().isEmpty());
            about.okButton->click();
        };
        dialogs_.modal = {readAbout};
        w.action("aboutAction")->trigger();
        QCOMPARE(seen[0], std::string("QRW74系列对讲机编程软件"));
        QCOMPARE(seen[1], std::string("用于 HX--6400/7400"));
        QCOMPARE(seen[2], w.state().model.profile.titles.versionChinese);
        QCOMPARE(seen[3], std::string("确定"));
        QVERIFY(!dialogs_.modalRuns.back().openAfterScript);

        w.selectLanguage(Language::English);
        dialogs_.answers = {true};
        w.switchModelSeries(7100);
        dialogs_.modal = {readAbout};
        w.action("aboutAction")->trigger();
        QCOMPARE(seen[0], std::string("QRW71 Radio Programming Software"));
        QCOMPARE(seen[1], std::string("For HX--6100/7100"));
    }

    void decodingAnImageFillsTheWindow() {
        MainWindow& w = start();
        CodePlug plug;
        plug.functions[FunctionSetting::WideNarrow] = 0;
        plug.functions[FunctionSetting::SquelchLevel] = 2;
        plug.channels.setValue(7, Field::RxFrequency, 146.5);
        plug.channels.setValue(7, Field::TxFrequency, 146.5);
        plug.channels.setValue(7, Field::RxTone, 0);
        plug.channels.setValue(7, Field::TxTone, 40);
        plug.channels.setValue(7, Field::BusyLockout, 1);
        plug.channels.setValue(7, Field::Shift, 0);
        const auto& model = w.state().model;
        const MemoryImage image =
            EncodeImage({plug.channels, plug.functions, 0, 7200, model.profile, model.tones});
        w.showImage(image);
        QCOMPARE(subModelList()->currentIndex(), 0);
        QCOMPARE(band(), QString("136-174MHz"));
        QCOMPARE(cell(Field::RxFrequency, 7), QString("146.50000"));
        QCOMPARE(cell(Field::TxTone, 7), QString("D025N"));
        QCOMPARE(cell(Field::BusyLockout, 7), QString("Yes"));
        QCOMPARE(functionList(FunctionSetting::SquelchLevel)->currentIndex(), 2);
        QCOMPARE(functionList(FunctionSetting::WideNarrow)->currentIndex(), 0);
        QCOMPARE(w.state().plug.channels.value(7, Field::TxTone), 40.0);
        QVERIFY(dialogs_.messages.empty());
    }
};

} // namespace hx

QTEST_MAIN(hx::MainWindowTest)
#include "MainWindowTest.moc"
