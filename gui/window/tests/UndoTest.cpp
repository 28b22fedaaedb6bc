#include "gui/dialogs/CommunicationDialog.h"
#include "gui/dialogs/ImportPreviewDialog.h"
#include "gui/window/tests/WindowFixture.h"

#include <QClipboard>
#include <fstream>

namespace hx {

namespace fs = std::filesystem;

// Undo and redo through the window: each kind of change is taken back to the same
// plug, the same table and the same modified state, by the Edit menu and by its keys.
class UndoTest : public QObject, public WindowFixture {
    Q_OBJECT

    // Two channels stored and saved: the clean state every change starts from.
    MainWindow& startSaved() {
        MainWindow& w = start();
        edit(0, "450", "455");
        edit(1, "451.0125");
        saveAs(folder_ / "start.dat");
        return w;
    }
    QAction* action(const char* name) const { return window_->action(name); }
    // What the table shows, row by row.
    QStringList cellTexts() const {
        QStringList rows;
        for (int c = 0; c < kChannelCount; ++c) {
            QStringList cells;
            for (int f = 0; f < kFieldCount; ++f)
                cells << cell(static_cast<Field>(f), c);
            rows << cells.join('|');
        }
        return rows;
    }
    struct Shown {
        CodePlug plug;
        int subModel;
        QStringList cells;
        FunctionPositions lists;
        bool operator==(const Shown& o) const {
            return plug.channels == o.plug.channels && plug.functions == o.plug.functions &&
                   plug.modified == o.plug.modified && subModel == o.subModel && cells == o.cells &&
                   lists == o.lists;
        }
    };
    Shown shown() const {
        FunctionPositions lists;
        for (int i = 0; i < kFunctionSettingCount; ++i) {
            const auto setting = static_cast<FunctionSetting>(i);
            lists[setting] = functionList(setting)->currentIndex();
        }
        return {window_->state().plug, subModelList()->currentIndex(), cellTexts(), lists};
    }
    void activate() {
        window_->show();
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        rxBox()->setFocus();
    }

private slots:
    void cleanup() { finish(); }

    void pasteThenCtrlZGivesBackTheSavedWindow() {
        MainWindow& w = startSaved();
        activate();
        const Shown saved = shown();
        QVERIFY(!w.files().modified());

        QGuiApplication::clipboard()->setText("RX Freq.\tTX Freq.\r\n"
                                              "460\t465\r\n461\t\r\n462\t\r\n463\t\r\n");
        selectRows({4});
        channelMenuItem("pasteChannelsAction")->trigger();
        QCOMPARE(cellTexts()[7].section('|', 0, 0), QString("463.00000"));
        QVERIFY(w.files().modified());
        QCOMPARE(action("undoAction")->text(), QString("&Undo Paste 4 Channels"));
        QVERIFY(!action("redoAction")->isEnabled());

        press(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(shown() == saved);
        QVERIFY(!w.files().modified());
        QCOMPARE(action("redoAction")->text(), QString("&Redo Paste 4 Channels"));

        press(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(cellTexts()[4].section('|', 0, 1), QString("460.00000|465.00000"));
        QVERIFY(w.files().modified());
        press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        press(Qt::Key_Z, Qt::ControlModifier);
        press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(cellTexts()[5].section('|', 0, 0), QString("461.00000"));

        w.selectLanguage(Language::Chinese);
        QCOMPARE(action("undoAction")->text(), QString("撤销 粘贴 4 个信道(&U)"));
        QCOMPARE(menu("editMenu")->title(), QString("编辑(&E)"));

        // Opening a file starts the history afresh.
        dialogs_.answers = {false}; // do not save the paste
        dialogs_.files = {folder_ / "start.dat"};
        w.files().openFile();
        QVERIFY(!action("undoAction")->isEnabled());
        QCOMPARE(action("undoAction")->text(), QString("撤销(&U)"));
        QVERIFY(w.state().plug.channels == saved.plug.channels);
        QVERIFY(!w.state().plug.modified);
    }

    void eachKindOfChangeIsUndoneAndRedone_data() {
        QTest::addColumn<QString>("step");
        QTest::addColumn<std::function<void(UndoTest&)>>("change");
        QTest::addColumn<bool>("startsDataSet"); // what it leaves is the unchanged state
        using T = UndoTest;
        const auto row = [](const char* step, std::function<void(UndoTest&)> change,
                            bool startsDataSet = false) {
            QTest::newRow(step) << QString(step) << change << startsDataSet;
        };
        row("Store Channel", [](T& t) { t.edit(1, "452"); });
        row("Delete Channel", [](T& t) {
            t.chooseChannel(1);
            t.channelMenuItem("deleteChannelAction")->trigger();
        });
        row("Clear All Channels",
            [](T& t) { t.channelMenuItem("deleteAllChannelsAction")->trigger(); });
        row("Move Channel", [](T& t) {
            t.selectRows({0});
            t.channelMenuItem("moveChannelDownAction")->trigger();
        });
        row("Clear 2 Channels", [](T& t) {
            t.selectRows({0, 1});
            t.channelMenuItem("clearChannelsAction")->trigger();
        });
        row("Function Setting",
            [](T& t) { t.functionList(FunctionSetting::SquelchLevel)->setCurrentIndex(2); });
        row("Model Type Change", [](T& t) {
            t.dialogs_.answers = {true}; // all data will be cleared
            t.subModelList()->setCurrentIndex(0);
        });
        row(
            "New",
            [](T& t) {
                t.dialogs_.answers = {true};
                t.action("newFileAction")->trigger();
            },
            true);
        row("Import", [](T& t) {
            const fs::path plan = t.folder_ / "plan.csv";
            std::ofstream(plan) << "channel,receive frequency\r\n3,452\r\n\r\nsquelch level,7\r\n";
            t.dialogs_.files = {plan};
            t.dialogs_.modal = {
                [](QDialog& d) { dynamic_cast<ImportPreviewDialog&>(d).applyButton->click(); }};
            t.action("importPlanAction")->trigger();
        });
        row("Read from Radio", [](T& t) {
            t.startRadios({"--load", HX_BINARY_DIR "/Examples/example-7200.dat"}, 1);
            t.dialogs_.modal = {
                [](QDialog& d) { static_cast<CommunicationDialog&>(d).transferButton->click(); }};
            t.action("readRadioAction")->trigger();
        });
    }

    void eachKindOfChangeIsUndoneAndRedone() {
        QFETCH(QString, step);
        QFETCH(std::function<void(UndoTest&)>, change);
        QFETCH(bool, startsDataSet);
        MainWindow& w = startSaved();
        Shown saved = shown();
        change(*this);
        const Shown changed = shown();
        QVERIFY(!(changed == saved));
        QCOMPARE(changed.plug.modified, !startsDataSet);
        QCOMPARE(action("undoAction")->text(), "&Undo " + step);

        action("undoAction")->trigger();
        // Back before a new data set is a change of that data set.
        saved.plug.modified = startsDataSet;
        QVERIFY(shown() == saved);
        QCOMPARE(w.files().modified(), startsDataSet);
        action("redoAction")->trigger();
        QVERIFY(shown() == changed);
    }

    // Typing not yet stored is the box's own to undo; once the box holds what the
    // channel does, the key undoes the plug's last change.
    void ctrlZInABoxUndoesTheTypingFirst() {
        MainWindow& w = startSaved();
        activate();
        edit(2, "453");
        QLineEdit* box = rxBox();
        box->setFocus();
        QCOMPARE(box->text(), QString("453.00000"));
        QTest::keyClicks(box, "7");
        press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(box->text(), QString("453.00000"));
        QCOMPARE(w.state().plug.channels.value(2, Field::RxFrequency), 453.0);

        press(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!w.state().plug.channels.inUse(2));
        QCOMPARE(box->text(), QString());
        QVERIFY(!w.state().plug.modified);
    }
};

} // namespace hx

QTEST_MAIN(hx::UndoTest)
#include "UndoTest.moc"
