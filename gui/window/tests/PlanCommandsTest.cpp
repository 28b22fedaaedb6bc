#include "core/testsupport/FileContents.h"
#include "gui/dialogs/ExportOptionsDialog.h"
#include "gui/dialogs/ImportPreviewDialog.h"
#include "gui/window/tests/WindowFixture.h"

#include <QClipboard>

namespace hx {

namespace fs = std::filesystem;

class PlanCommandsTest : public QObject, public WindowFixture {
    Q_OBJECT

    QString rxCell(int channel) const { return cell(Field::RxFrequency, channel); }
    fs::path writeFile(const char* name, const std::string& bytes) const {
        PutFileBytes(folder_ / name, bytes);
        return folder_ / name;
    }
    static QStringList rowsOf(const QTreeWidget* list) {
        QStringList rows;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QStringList cells;
            for (int c = 0; c < list->columnCount(); ++c)
                cells << list->topLevelItem(i)->text(c);
            rows << cells.join(" | ");
        }
        return rows;
    }
    // Notes what the preview lists, then presses Apply or Cancel.
    std::function<void(QDialog&)> preview(QStringList& changes, QStringList& rejected, bool apply) {
        return [&changes, &rejected, apply](QDialog& d) {
            auto& p = dynamic_cast<ImportPreviewDialog&>(d);
            changes = rowsOf(p.changeList);
            rejected = rowsOf(p.rejectedList);
            (apply ? p.applyButton : p.cancelButton)->click();
        };
    }
    static std::function<void(QDialog&)> exportWith(Separator separator) {
        return [separator](QDialog& d) {
            auto& options = dynamic_cast<ExportOptionsDialog&>(d);
            (separator == Separator::Tab         ? options.tabButton
             : separator == Separator::Semicolon ? options.semicolonButton
                                                 : options.commaButton)
                ->click();
            options.exportButton->click();
        };
    }
    void exportTo(const fs::path& path, Separator separator) {
        dialogs_.modal = {exportWith(separator)};
        dialogs_.files = {path};
        window_->action("exportPlanAction")->trigger();
    }
    void clickRow(int channel, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        clickCell(Field::RxFrequency, channel, Qt::LeftButton, modifiers);
    }

private slots:
    void cleanup() { finish(); }

    // The preview lists each value that changes, with a note where it is kept off the
    // raster or out of band, and each rejected row with its line; Cancel leaves
    // everything as it was, Apply takes the accepted rows in one step.
    void importShowsThePlanBeforeApplyingIt() {
        MainWindow& w = start();
        edit(0, "450", "455");
        edit(1, "451");
        w.files().markUnchanged();
        const fs::path plan =
            writeFile("plan.csv", "channel,receive frequency,transmit frequency\r\n"
                                  "1,450,456\r\n"
                                  "2,446.00625,\r\n"
                                  "3,452.0125,480\r\n"
                                  "4,4x0,\r\n"
                                  "\r\n"
                                  "squelch level,7\r\n");
        QStringList changes, rejected;
        dialogs_.files = {plan};
        dialogs_.modal = {preview(changes, rejected, false)};
        w.action("importPlanAction")->trigger();
        QCOMPARE(changes,
                 QStringList({"7 | squelch level | 6 | 7 | ",
                              "2 | channel 1 transmit frequency | 455.00000 | 456.00000 | ",
                              "3 | channel 2 receive frequency | 451.00000 | 446.00625 | off the "
                              "12.5 kHz raster",
                              "4 | channel 3 receive frequency | (empty) | 452.01250 | ",
                              "4 | channel 3 transmit frequency | (empty) | 480.00000 | Out of "
                              "range!The valid range is 400-470MHz",
                              "4 | channel 3 decode tone | (empty) | None | ",
                              "4 | channel 3 encode tone | (empty) | None | ",
                              "4 | channel 3 busy channel lockout | (empty) | No | ",
                              "4 | channel 3 shift | (empty) | No | "}));
        QCOMPARE(rejected, QStringList({"5 | receive frequency '4x0': not a frequency"}));
        QVERIFY(!w.files().modified());
        QCOMPARE(cell(Field::TxFrequency, 0), QString("455.00000"));

        dialogs_.files = {plan};
        dialogs_.modal = {preview(changes, rejected, true)};
        w.action("importPlanAction")->trigger();
        QVERIFY(w.files().modified());
        QVERIFY(w.state().plug.modified);
        QCOMPARE(cell(Field::TxFrequency, 0), QString("456.00000"));
        QCOMPARE(rxCell(1), QString("446.00625"));
        QCOMPARE(w.state().plug.channels.value(1, Field::RxFrequency), 446.00625);
        QCOMPARE(rxCell(2), QString("452.01250"));
        QVERIFY(!w.state().plug.channels.inUse(3)); // the rejected row left it
        QCOMPARE(functionList(FunctionSetting::SquelchLevel)->currentText(), "7");
        QVERIFY(dialogs_.messages.empty());
    }

    // A plan for another sub-model asks, as choosing the sub-model does; No keeps
    // the window as it was. A file that is no text is refused with its reason.
    void anotherSubModelAsksAndNoTextIsRefused() {
        MainWindow& w = start();
        edit(0, "450");
        const auto& profile = w.state().model.profile;
        QVERIFY(profile.subModelCount > 1);
        const int other = w.state().selectedSubModel == 0 ? 1 : 0;
        const fs::path plan =
            writeFile("other.csv", "model type," + profile.subModelName(other) + "\r\n");
        QStringList changes, rejected;
        dialogs_.files = {plan};
        dialogs_.modal = {preview(changes, rejected, true)};
        dialogs_.answers = {false};
        w.action("importPlanAction")->trigger();
        QVERIFY2(!changes.isEmpty() &&
                     changes[0].contains(QString::fromStdString(profile.subModelName(other))),
                 qPrintable(changes.join('\n')));
        QCOMPARE(dialogs_.questions.size(), std::size_t(1));
        QCOMPARE(rxCell(0), QString("450.00000"));

        dialogs_.files = {writeFile("binary.csv", "1,450\xFF\x80\n")};
        w.action("importPlanAction")->trigger();
        QCOMPARE(dialogs_.messages.size(), std::size_t(1));
        QVERIFY(dialogs_.messages[0].text.ends_with(
            "cannot be imported:\nthe file is neither UTF-8 nor GB18030 text (line 1, column 6)"));
    }

    // What the window exports, imported into an empty window, saves as the same data
    // file, in both languages and with each separator.
    void exportThenImportGivesTheSameDataFile() {
        for (const auto& [settings, separator] : {std::pair{"Language=2\n", Separator::Comma},
                                                  {"Language=1\n", Separator::Semicolon},
                                                  {"Language=2\n", Separator::Tab}}) {
            MainWindow& w = start(settings);
            edit(0, "450.0125", "455.0125", 3);
            edit(4, "403.5", "", 0);
            edit(15, "469.9875", "469.9875", 60);
            functionList(FunctionSetting::SquelchLevel)->setCurrentIndex(2);
            functionList(FunctionSetting::BeepTone)->setCurrentIndex(0);
            saveAs(folder_ / "before.dat");
            const fs::path plan = folder_ / "plan.csv";
            exportTo(plan, separator);
            QVERIFY(fs::exists(plan));

            dialogs_.answers = {true};
            w.files().newFile();
            QVERIFY(!w.state().plug.channels.inUse(0));
            QStringList changes, rejected;
            dialogs_.files = {plan};
            dialogs_.modal = {preview(changes, rejected, true)};
            w.action("importPlanAction")->trigger();
            QVERIFY2(rejected.isEmpty(), qPrintable(rejected.join('\n')));
            saveAs(folder_ / "after.dat");
            QVERIFY(FileBytes(folder_ / "before.dat") == FileBytes(folder_ / "after.dat"));
            cleanup();
        }
    }

    // CHIRP's CSV from another tool goes through the same preview, which says once what
    // the radio does not store; File > Export… writes it back in that layout.
    void chirpFileThroughThePreviewAndBack() {
        MainWindow& w = start();
        const fs::path chirp =
            fs::path(HX_SOURCE_DIR) / "core/exchange/tests/fixtures" / "chirp-uhf-from-0.csv";
        QString notes;
        QStringList changes, rejected;
        dialogs_.files = {chirp};
        dialogs_.modal = {[&](QDialog& d) {
            notes = dynamic_cast<ImportPreviewDialog&>(d).notesLabel->text();
            preview(changes, rejected, true)(d);
        }};
        w.action("importPlanAction")->trigger();
        QCOMPARE(notes, QString("locations start at 0: location 0 is channel 1\n"
                                "not stored by this radio: Name, Power, Skip, TStep"));
        QCOMPARE(rejected, QStringList({"9 | Location '16': not a channel from 1 to 16"}));
        QCOMPARE(rxCell(0), QString("446.00625"));
        QCOMPARE(cell(Field::RxTone, 3), QString("D023I"));

        const fs::path back = folder_ / "back.csv";
        dialogs_.modal = {[](QDialog& d) {
            auto& options = dynamic_cast<ExportOptionsDialog&>(d);
            options.chirpButton->click();
            options.exportButton->click();
        }};
        dialogs_.files = {back};
        w.action("exportPlanAction")->trigger();
        QVERIFY(FileBytes(back).starts_with("Location,Name,Frequency,Duplex,Offset,Tone,"));
        QVERIFY(FileBytes(back).find("\r\n4,,450.012500,+,10.000000,DTCS,") != std::string::npos);
    }

    // Three rows copied from one place paste as the same channels at another; the
    // clipboard holds them as a spreadsheet takes them.
    void copyAndPasteChannels() {
        MainWindow& w = start();
        edit(1, "450.0125", "455.0125", 3);
        edit(2, "451");
        edit(3, "452.5", "452.5");
        w.files().markUnchanged();
        clickRow(1);
        QTest::keyClick(cellBox(Field::RxFrequency, 1), Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(cellBox(Field::RxFrequency, 2), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(selectedChannels(), (std::vector<int>{1, 2, 3}));
        QCOMPARE(channelList()->currentIndex(), 3);
        press(cellBox(Field::RxFrequency, 3), QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QString("2\t450.01250\t455.01250\t74.4\tNone\tNo\tNo\n"
                         "3\t451.00000\t\tNone\t\tNo\tNo\n"
                         "4\t452.50000\t452.50000\tNone\tNone\tNo\tNo\n"));

        clickRow(9);
        press(cellBox(Field::RxFrequency, 9), QKeySequence::Paste);
        QVERIFY(dialogs_.modalRuns.empty()); // nothing rejected: no preview
        for (int c = 0; c < 3; ++c)
            QVERIFY(w.state().plug.channels.inUse(9 + c));
        QCOMPARE(cell(Field::RxTone, 9), QString("74.4"));
        QCOMPARE(rxCell(11), QString("452.50000"));
        QCOMPARE(selectedChannels(), (std::vector<int>{9, 10, 11}));
        QVERIFY(w.files().modified());
    }

    // From a spreadsheet: a rejected row shows the preview, which pastes the rest only
    // on Apply; when every row is rejected, a message says why and nothing changes.
    void pasteFromASpreadsheetWithRejectedRows() {
        MainWindow& w = start();
        QGuiApplication::clipboard()->setText("RX Freq.\tTX Freq.\r\n"
                                              "450,5\t455,5\r\n"
                                              "4x0\t\r\n"
                                              "451.25\t\r\n");
        clickRow(4);
        QStringList changes, rejected;
        dialogs_.modal = {preview(changes, rejected, false), preview(changes, rejected, true)};
        channelMenuItem("pasteChannelsAction")->trigger();
        QCOMPARE(rejected, QStringList({"3 | receive frequency '4x0': not a frequency"}));
        QVERIFY(!w.state().plug.channels.inUse(4)); // cancelled
        channelMenuItem("pasteChannelsAction")->trigger();
        QCOMPARE(rxCell(4), QString("450.50000"));
        QVERIFY(!w.state().plug.channels.inUse(5)); // the rejected row's channel
        QCOMPARE(rxCell(6), QString("451.25000"));

        const ChannelTable before = w.state().plug.channels;
        QGuiApplication::clipboard()->setText("999\r\n\r\n4x0\r\n");
        channelMenuItem("pasteChannelsAction")->trigger();
        QCOMPARE(dialogs_.messages.size(), std::size_t(1));
        QCOMPARE(dialogs_.messages[0].text,
                 std::string("Nothing was pasted:\nline 1: receive frequency '999': ") +
                     "not from 100 to below 999 MHz\n" +
                     "line 3: receive frequency '4x0': not a frequency");
        QVERIFY(w.state().plug.channels == before);
    }

    // One value pasted onto a cell, by key or from the pop-up, goes into that cell's
    // field through the checks of that field, or a message says why not: it never
    // lands in another column.
    void aValuePastedOntoACellStaysInItsColumn() {
        MainWindow& w = start();
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        edit(1, "446.5", "446.5");
        const auto pasteOnto = [&](Field field, int channel, const char* text) {
            QGuiApplication::clipboard()->setText(text);
            clickCell(field, channel);
            press(cellBox(field, channel), QKeySequence::Paste);
        };
        const auto row = [&](int channel) {
            QStringList cells;
            for (int f = 0; f < 5; ++f)
                cells << cell(static_cast<Field>(f), channel);
            return cells.join(" | ");
        };
        pasteOnto(Field::TxFrequency, 1, "447.50000\r\n");
        pasteOnto(Field::RxTone, 1, "D023N");
        pasteOnto(Field::BusyLockout, 1, "Yes");
        QCOMPARE(row(1), QString("446.50000 | 447.50000 | D023N | None | Yes"));
        pasteOnto(Field::RxFrequency, 1, "445,5"); // one cell from a German spreadsheet
        QCOMPARE(row(1), QString("445.50000 | 447.50000 | D023N | None | Yes"));
        QCOMPARE(selectedChannels(), std::vector<int>{1});
        QVERIFY(dialogs_.messages.empty());

        clickCell(Field::TxTone, 1, Qt::RightButton);
        channelMenu()->hide();
        QTRY_COMPARE(QApplication::focusWidget(), cellBox(Field::TxTone, 1));
        QGuiApplication::clipboard()->setText("67.0");
        channelMenuItem("pasteChannelsAction")->trigger();
        QCOMPARE(row(1), QString("445.50000 | 447.50000 | D023N | 67.0 | Yes"));

        const std::pair<Field, const char*> refused[] = {
            {Field::TxFrequency, "4x7"}, {Field::RxTone, "447.5"}, {Field::BusyLockout, "On"}};
        for (const auto& [field, text] : refused)
            pasteOnto(field, 1, text);
        pasteOnto(Field::TxFrequency, 5, "450");
        QCOMPARE(row(1), QString("445.50000 | 447.50000 | D023N | 67.0 | Yes"));
        QVERIFY(!w.state().plug.channels.inUse(5));
        QStringList messages;
        for (const auto& m : dialogs_.messages)
            messages << QString::fromStdString(m.text);
        QCOMPARE(
            messages,
            QStringList({"Nothing was pasted:\ntransmit frequency '4x7': not a frequency",
                         "Nothing was pasted:\ndecode tone '447.5': not in the list",
                         "Nothing was pasted:\nbusy channel lockout 'On': neither Yes nor No",
                         "Nothing was pasted:\ntransmit frequency needs a receive frequency"}));
    }

    // Moving swaps with the neighbour and the selection goes along; the ends stop it.
    // Clearing empties every selected channel, one as the pop-up's deletion does.
    void moveAndClearTheSelection() {
        MainWindow& w = start();
        edit(0, "450");
        edit(1, "451");
        edit(2, "452");
        clickRow(1);
        clickRow(2, Qt::ShiftModifier);
        channelMenuItem("moveChannelUpAction")->trigger();
        QCOMPARE(QStringList({rxCell(0), rxCell(1), rxCell(2)}),
                 QStringList({"451.00000", "452.00000", "450.00000"}));
        QCOMPARE(selectedChannels(), (std::vector<int>{0, 1}));
        QVERIFY(!channelMenuItem("moveChannelUpAction")->isEnabled());
        channelMenuItem("moveChannelDownAction")->trigger();
        channelMenuItem("moveChannelDownAction")->trigger();
        QCOMPARE(QStringList({rxCell(0), rxCell(1), rxCell(2), rxCell(3)}),
                 QStringList({"450.00000", "", "451.00000", "452.00000"}));
        QCOMPARE(selectedChannels(), (std::vector<int>{2, 3}));
        QCOMPARE(channelList()->currentIndex(), 3); // the clicked row went along

        clickRow(0, Qt::ControlModifier);
        QCOMPARE(selectedChannels(), (std::vector<int>{0, 2, 3}));
        press(cellBox(Field::RxFrequency, 0), QKeySequence::Delete);
        for (int c = 0; c < 4; ++c)
            QVERIFY(!w.state().plug.channels.inUse(c));
        QVERIFY(dialogs_.questions.empty());
    }
};

} // namespace hx

QTEST_MAIN(hx::PlanCommandsTest)
#include "PlanCommandsTest.moc"
