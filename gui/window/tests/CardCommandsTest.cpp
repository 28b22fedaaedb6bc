#include "gui/card/tests/Poppler.h"
#include "gui/window/tests/WindowFixture.h"

#include <QRegularExpression>

namespace hx {

namespace fs = std::filesystem;

class CardCommandsTest : public QObject, public WindowFixture {
    Q_OBJECT

    // The text of a PDF of one page; nothing for any other file.
    static QString pageText(const fs::path& pdf) {
        const QString path = QString::fromStdString(pdf.string());
        if (!Poppler("pdfinfo", {path}).contains(QRegularExpression("Pages:\\s+1\\n")))
            return {};
        return Poppler("pdftotext", {path, "-"});
    }

private slots:
    void cleanup() { finish(); }

    // Both commands put the edits of the moment on paper, saved or not, in the
    // interface language; a cancelled dialog prints and writes nothing.
    void printAndExportShowWhatTheWindowHolds() {
        MainWindow& w = start();
        edit(0, "450");
        edit(3, "451.0125");
        QCOMPARE(w.action("printAction")->text(), QString("&Print…"));
        QCOMPARE(w.action("exportPdfAction")->text(), QString("Export P&DF…"));

        dialogs_.printers = {folder_ / "printed.pdf", std::nullopt};
        w.action("printAction")->trigger();
        const QString printed = pageText(folder_ / "printed.pdf");
        for (const char* expected : {"Channel Card", "450.00000", "451.01250", "HX7200-U"})
            QVERIFY2(printed.contains(expected), qPrintable(printed));
        fs::remove(folder_ / "printed.pdf");
        w.action("printAction")->trigger();
        QVERIFY(!fs::exists(folder_ / "printed.pdf"));

        w.selectLanguage(Language::Chinese);
        QCOMPARE(w.action("exportPdfAction")->text(), QString("导出PDF(&D)…"));
        dialogs_.files = {folder_ / "card.pdf", std::nullopt};
        w.action("exportPdfAction")->trigger();
        const auto& request = dialogs_.fileRequests.back();
        QVERIFY(request.save);
        QCOMPARE(request.filter, std::string("PDF (*.pdf)"));
        QCOMPARE(request.start, folder_ / "Data/TempData.pdf");
        const QString exported = pageText(folder_ / "card.pdf");
        for (const char* expected : {"信道表", "450.00000", "451.01250"})
            QVERIFY2(exported.contains(QString::fromUtf8(expected)), qPrintable(exported));
        QVERIFY(window_->state().plug.modified); // the card saved nothing

        fs::remove(folder_ / "card.pdf");
        w.action("exportPdfAction")->trigger();
        QVERIFY(!fs::exists(folder_ / "card.pdf"));
        QVERIFY(dialogs_.messages.empty());
    }

    void aCardThatCannotBeWrittenIsReported() {
        MainWindow& w = start();
        const fs::path nowhere = folder_ / "no-folder" / "card.pdf";
        dialogs_.files = {nowhere};
        w.cards().exportPdf();
        dialogs_.printers = {nowhere};
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        w.cards().print();
        QCOMPARE(dialogs_.messages.size(), std::size_t(2));
        const auto& written = dialogs_.messages[0];
        QVERIFY2(
            written.text.starts_with("The PDF file could not be written:\n" + nowhere.string()),
            written.text.c_str());
        QCOMPARE(dialogs_.messages[1].text, std::string("Printing failed; nothing was printed."));
        for (const auto& message : dialogs_.messages)
            QVERIFY(message.icon == MessageIcon::Critical);
    }
};

} // namespace hx

QTEST_MAIN(hx::CardCommandsTest)
#include "CardCommandsTest.moc"
