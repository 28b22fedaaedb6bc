#include "core/testsupport/FileContents.h"
#include "gui/window/tests/WindowFixture.h"

#include <fstream>
#include <functional>

namespace hx {

namespace fs = std::filesystem;

class DataFileCommandsTest : public QObject, public WindowFixture {
    Q_OBJECT

    const WindowState& state() const { return window_->state(); }

private slots:
    void cleanup() { finish(); }

    void saveAfterStartWritesTheScratchFileWithoutAQuestion() {
        MainWindow& w = start();
        w.files().saveFile();
        const std::string bytes = FileBytes(folder_ / "Data/TempData.dat");
        QCOMPARE(bytes.size(), std::size_t(1074));
        QCOMPARE(bytes.substr(0, 6), std::string("ROR55O"));
        QVERIFY(dialogs_.questions.empty());
        QCOMPARE(statusPanel(3).toStdString(),
                 "File Name: " + (folder_ / "Data/TempData.dat").string());
    }

    void saveOfAnEditedNewDataSetAsksFirst() {
        MainWindow& w = start();
        edit(0, "450");
        dialogs_.answers = {false};
        w.files().saveFile();
        QCOMPARE(dialogs_.questions.back().text,
                 std::string("TempData has changed,Do you want to save it now?"));
        QVERIFY(!fs::exists(folder_ / "Data/TempData.dat"));
        QVERIFY(state().plug.modified);

        dialogs_.answers = {true};
        dialogs_.files = {folder_ / "radio.dat"};
        w.files().saveFile();
        QVERIFY(dialogs_.fileRequests.back().save);
        QVERIFY(!state().plug.modified);
        QCOMPARE(state().currentDataFile, (folder_ / "radio.dat").string());
    }

    void saveAsKeepsALongerFilesTailAndOpenReadsItBack() {
        MainWindow& w = start();
        PutFileBytes(folder_ / "long.dat", std::string(2000, 'x'));
        edit(4, "451.0125");
        QVERIFY(saveAs(folder_ / "long.dat") == DataFileCommands::SaveOutcome::Saved);
        QCOMPARE(FileBytes(folder_ / "long.dat").substr(1074), std::string(926, 'x'));

        dialogs_.answers = {true};
        w.files().newFile();
        QVERIFY(!state().plug.channels.inUse(4));
        dialogs_.files = {folder_ / "long.dat"};
        w.files().openFile();
        QCOMPARE(cell(Field::RxFrequency, 4), QString("451.01250"));
        QVERIFY(state().origin == DataOrigin::Opened);
        QVERIFY(!state().plug.modified);

        edit(5, "452"); // an opened file saves without a question
        w.files().saveFile();
        QCOMPARE(dialogs_.questions.size(), std::size_t(1));
        QVERIFY(!state().plug.modified);
    }

    void failuresLeaveEverythingAsItWas() {
        MainWindow& w = start();
        edit(0, "450");
        const std::string before = state().currentDataFile;
        dialogs_.answers = {false}; // do not save before opening
        dialogs_.files = {folder_ / "missing.dat"};
        w.files().openFile();
        QCOMPARE(lastMessage(), std::string("Wrong file type!"));
        QCOMPARE(state().currentDataFile, before);
        QVERIFY(state().plug.channels.inUse(0));

        QVERIFY(saveAs(folder_ / "no-such-folder" / "a.dat") ==
                DataFileCommands::SaveOutcome::Failed);
        QCOMPARE(lastMessage(), std::string("Save file failed!"));
        QVERIFY(state().plug.modified);
        QCOMPARE(state().currentDataFile, before);

        // Exit offers the save; a failed save keeps the window open.
        dialogs_.answers = {true, true};
        dialogs_.files = {folder_ / "no-such-folder" / "a.dat"};
        QVERIFY(!w.prepareExit(true));
        // A cancelled save dialog still ends it.
        dialogs_.answers = {true, true};
        dialogs_.files = {std::nullopt};
        QVERIFY(w.prepareExit(true));
    }

    void saveIntoAReadOnlyFolderFailsAndKeepsTheChanges() {
        MainWindow& w = start();
        edit(0, "450");
        // The superuser writes into any folder that permissions lock; /proc refuses
        // new files to everyone.
        fs::path locked = folder_ / "locked";
        fs::create_directories(locked);
        fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
        if (std::ofstream(locked / "probe").good())
            locked = "/proc";
        QVERIFY(saveAs(locked / "radio.dat") == DataFileCommands::SaveOutcome::Failed);
        fs::permissions(folder_ / "locked", fs::perms::owner_all);
        QCOMPARE(lastMessage(), std::string("Save file failed!"));
        QVERIFY(state().plug.modified);
        QVERIFY(!fs::exists(locked / "radio.dat"));
        QVERIFY(w.recentFiles().files().paths().empty());
    }

    void recentFilesListTheLastFilesOpenedOrSaved() {
        MainWindow& w = start();
        QVERIFY(!w.recentFiles().item(0)->isVisible());
        w.files().saveFile(); // the scratch file is no file of the user's
        QVERIFY(!w.recentFiles().item(0)->isVisible());
        edit(0, "450");
        saveAs(folder_ / "a.dat");
        edit(0, "460");
        saveAs(folder_ / "b.dat");
        QVERIFY(w.recentFiles().item(1)->isVisible());
        QVERIFY(!w.recentFiles().item(2)->isVisible());
        QCOMPARE(w.recentFiles().item(0)->text(),
                 "&1  " + QString::fromStdString((folder_ / "b.dat").string()));

        saveAs(folder_ / "r&d.dat");
        QVERIFY(w.recentFiles().item(0)->text().endsWith("r&&d.dat")); // shown, not a key
        w.recentFiles().forget(folder_ / "r&d.dat");
        w.recentFiles().item(1)->trigger(); // a.dat, back on top
        QCOMPARE(state().currentDataFile, (folder_ / "a.dat").string());
        QCOMPARE(cell(Field::RxFrequency, 0), QString("450.00000"));
        QCOMPARE(w.recentFiles().files().paths().front(), (folder_ / "a.dat").string());

        fs::remove(folder_ / "b.dat");
        w.recentFiles().item(1)->trigger();
        QVERIFY(lastMessage().ends_with((folder_ / "b.dat").string()));
        QCOMPARE(state().currentDataFile, (folder_ / "a.dat").string());
        QVERIFY(!w.recentFiles().item(1)->isVisible());

        // Each model series keeps its own list; the list survives a restart.
        dialogs_.answers = {true};
        w.switchModelSeries(7400);
        QVERIFY(!w.recentFiles().item(0)->isVisible());
        dialogs_.answers = {true};
        w.switchModelSeries(7200);
        QCOMPARE(w.recentFiles().files().paths(),
                 std::vector<std::string>{(folder_ / "a.dat").string()});
    }

    // Whatever changed the code plug since it was last saved or loaded is offered for
    // saving on every way out of the data set, and saved into the data set's own file.
    void changesAfterASaveAreOfferedOnEveryWayOut() {
        struct Change {
            const char* name;
            std::function<void(MainWindow&)> make;
        };
        const Change changes[] = {
            {"OK", [this](MainWindow&) { edit(1, "460"); }},
            {"squelch",
             [this](MainWindow&) {
                 functionList(FunctionSetting::SquelchLevel)->setCurrentIndex(2);
             }},
            {"deletion",
             [this](MainWindow&) {
                 chooseChannel(0);
                 channelMenuItem("deleteChannelAction")->trigger();
             }},
        };
        struct Way {
            const char* name;
            std::deque<bool> answers; // the save question is the last
            std::function<void(MainWindow&)> take;
        };
        const Way ways[] = {
            {"exit", {true, true}, [](MainWindow& w) { QVERIFY(w.prepareExit(true)); }},
            {"new", {true, true}, [](MainWindow& w) { w.files().newFile(); }},
            {"open",
             {true},
             [this](MainWindow& w) {
                 dialogs_.files = {folder_ / "a.dat"};
                 w.files().openFile();
             }},
            {"recent file", {true}, [](MainWindow& w) { w.recentFiles().item(0)->trigger(); }},
            {"model series", {true, true}, [](MainWindow& w) { w.switchModelSeries(7400); }},
        };
        for (const Change& change : changes) {
            for (const Way& way : ways) {
                const QByteArray what = QByteArray(change.name) + " then " + way.name;
                MainWindow& w = start();
                edit(0, "450");
                QVERIFY(saveAs(folder_ / "a.dat") == DataFileCommands::SaveOutcome::Saved);
                const std::string saved = FileBytes(folder_ / "a.dat");
                change.make(w);
                dialogs_.answers = way.answers;
                way.take(w);
                QVERIFY2(!dialogs_.questions.empty() &&
                             dialogs_.questions.back().text ==
                                 "TempData has changed,Do you want to save it now?",
                         what);
                QVERIFY2(FileBytes(folder_ / "a.dat") != saved, what);
                QVERIFY2(dialogs_.fileRequests.size() == (way.name == std::string("open") ? 2 : 1),
                         what); // no save dialog: the file has its name
                cleanup();
            }
        }
    }

    void aSavedDataSetAsksNothingMore() {
        MainWindow& w = start();
        edit(0, "450");
        saveAs(folder_ / "a.dat");
        dialogs_.answers = {true};
        QVERIFY(w.prepareExit(true)); // the exit question only
        QCOMPARE(dialogs_.questions.size(), std::size_t(1));

        edit(1, "460");
        w.files().saveFile();
        dialogs_.answers = {true};
        w.files().newFile();
        QCOMPARE(dialogs_.questions.size(), std::size_t(2));
    }

    void aFileNamedOnTheCommandLineOpensAsFileOpenWould() {
        MainWindow& w = start();
        edit(4, "451.0125");
        QVERIFY(saveAs(folder_ / "given.dat") == DataFileCommands::SaveOutcome::Saved);
        dialogs_.answers = {true};
        w.files().newFile();

        w.files().openDataFile(folder_ / "given.dat");
        QCOMPARE(cell(Field::RxFrequency, 4), QString("451.01250"));
        QCOMPARE(state().currentDataFile, (folder_ / "given.dat").string());
        QVERIFY(state().origin == DataOrigin::Opened);
        QVERIFY(!state().plug.modified);
        QCOMPARE(statusPanel(3).toStdString(), "File Name: " + (folder_ / "given.dat").string());
        QCOMPARE(w.recentFiles().files().paths().front(), (folder_ / "given.dat").string());

        // Unsaved edits are offered for saving first; a file that cannot be read
        // changes nothing.
        edit(6, "452");
        dialogs_.answers = {false};
        w.files().openDataFile(folder_ / "missing.dat");
        QCOMPARE(dialogs_.questions.back().text,
                 std::string("TempData has changed,Do you want to save it now?"));
        QCOMPARE(lastMessage(), std::string("Wrong file type!"));
        QCOMPARE(state().currentDataFile, (folder_ / "given.dat").string());
        QVERIFY(state().plug.channels.inUse(6));
        QVERIFY(state().plug.modified);
    }

    // Another program's file, or a data file cut short, opens by no way without a
    // question whose Enter is No; No changes nothing. After Yes it reads as before,
    // and its first save asks again: No there offers another name instead.
    void aFileThatIsNoDataFileIsOpenedAndOverwrittenOnlyWhenAsked() {
        const std::string openQuestion =
            "This file does not look like a data file of this program. Open it anyway?";
        MainWindow& w = start();
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        edit(4, "451.0125");
        saveAs(folder_ / "radio.dat");
        const std::string image = FileBytes(folder_ / "radio.dat");
        const std::string notes = "Things to take to the site\r\n- spare batteries\r\n";
        PutFileBytes(folder_ / "notes.dat", notes);
        PutFileBytes(folder_ / "short.dat", image.substr(0, 1073));
        w.recentFiles().remember(folder_ / "notes.dat");

        const std::function<void()> ways[] = {
            [&] {
                dialogs_.files = {folder_ / "notes.dat"};
                w.files().openFile();
            },
            [&] { w.recentFiles().item(0)->trigger(); },
            [&] { w.files().openDataFile(folder_ / "short.dat"); },
        };
        for (const auto& open : ways) {
            dialogs_.questions.clear();
            dialogs_.answers = {false};
            open();
            QCOMPARE(dialogs_.questions.size(), std::size_t(1));
            QCOMPARE(dialogs_.questions[0].text, openQuestion);
            QVERIFY(dialogs_.questions[0].preferred == Answer::No);
            QCOMPARE(state().currentDataFile, (folder_ / "radio.dat").string());
            QVERIFY(state().plug.channels.inUse(4));
        }

        dialogs_.answers = {true};
        w.files().openDataFile(folder_ / "short.dat");
        QCOMPARE(state().currentDataFile, (folder_ / "short.dat").string());
        QCOMPARE(cell(Field::RxFrequency, 4), QString("451.01250"));
        dialogs_.answers = {true};
        w.files().openDataFile(folder_ / "notes.dat");
        QCOMPARE(state().currentDataFile, (folder_ / "notes.dat").string());
        QVERIFY(dialogs_.answers.empty());
        dialogs_.answers = {true};
        QVERIFY(w.prepareExit(true)); // opening alone changed nothing to save
        QCOMPARE(dialogs_.questions.back().text, std::string("Are you sure want to exit?"));

        // Closing saves the changes: exit, save, and No to saving into that file.
        edit(0, "450");
        dialogs_.questions.clear();
        dialogs_.answers = {true, true, false};
        dialogs_.files = {folder_ / "kept.dat"};
        QVERIFY(w.prepareExit(true));
        QCOMPARE(dialogs_.questions.size(), std::size_t(3));
        QVERIFY(dialogs_.questions[2].text.starts_with("This file is not a data file"));
        QVERIFY(dialogs_.questions[2].preferred == Answer::No);
        QCOMPARE(FileBytes(folder_ / "notes.dat"), notes);
        QVERIFY(fs::exists(folder_ / "kept.dat"));

        dialogs_.answers = {true};
        w.files().openDataFile(folder_ / "notes.dat");
        edit(0, "450");
        dialogs_.questions.clear();
        dialogs_.answers = {true};
        w.files().saveFile();
        QCOMPARE(FileBytes(folder_ / "notes.dat").substr(0, 6), std::string("ROR55O"));
        edit(1, "460");
        w.files().saveFile(); // it holds a data set now: no more questions
        QCOMPARE(dialogs_.questions.size(), std::size_t(1));
        QVERIFY(!state().plug.modified);
    }

    void newFileAnsweredNoChangesNothing() {
        MainWindow& w = start();
        edit(2, "450");
        dialogs_.answers = {false};
        w.files().newFile();
        QCOMPARE(dialogs_.questions.back().text, std::string("All data will be cleared,continue?"));
        QVERIFY(state().plug.channels.inUse(2));
        dialogs_.answers = {true, false}; // clear, without saving
        w.files().newFile();
        QVERIFY(!state().plug.channels.inUse(2));
        QVERIFY(state().origin == DataOrigin::New);
        QVERIFY(!state().plug.modified);
    }
};

} // namespace hx

QTEST_MAIN(hx::DataFileCommandsTest)
#include "DataFileCommandsTest.moc"
