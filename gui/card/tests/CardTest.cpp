#include "core/image/ImageEncoder.h"
#include "core/testsupport/ChannelRow.h"
#include "gui/card/CardLayout.h"
#include "gui/card/CardOutput.h"
#include "gui/card/tests/Poppler.h"

#include <QFontMetricsF>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace hx {

namespace fs = std::filesystem;

namespace {

ModelData Model7200() {
    return LoadModelData(fs::path(HX_SOURCE_DIR) / "data/Setting", 7200);
}

// The card of a 400-470 MHz radio with every channel in use and the widest texts the
// lists hold: DQT codes, the longest monitor key item, both switches on.
DecodeResult FullestRadio(const ModelData& m) {
    ChannelTable channels;
    const int lastTone = m.tones.dimensions.lastPosition;
    for (int c = 0; c < kChannelCount; ++c) {
        const double rx = 400.0 + c * 4.3125;
        SetChannel(
            channels, c,
            {rx, rx + 5.0125, double(lastTone - c), double(lastTone - 2 * c), 1, double(c % 2)});
    }
    FunctionPositions functions = m.profile.functionDefaults;
    functions[FunctionSetting::MonitorKey] = 3;
    functions[FunctionSetting::TimeOutTimer] = 10;
    const auto image = EncodeImage({channels, functions, 1, m.modelCode, m.profile, m.tones});
    return DecodeImage(image, {m.modelCode, m.profile, m.tones}, StartState(m.profile));
}

// Three channels in use among empty ones, one of them receive only.
DecodeResult SparseRadio(const ModelData& m) {
    ChannelTable channels;
    SetChannel(channels, 0, {450.0125, 455.0125, 0, 13, 0, 0});
    SetChannel(channels, 7, {446.00625, EmptyValue, 0, EmptyValue, 0, 0});
    SetChannel(channels, 15, {469.9875, 469.9875, 0, 13, 0, 0});
    const auto image =
        EncodeImage({channels, m.profile.functionDefaults, 1, m.modelCode, m.profile, m.tones});
    return DecodeImage(image, {m.modelCode, m.profile, m.tones}, StartState(m.profile));
}

} // namespace

class CardTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    ModelData model_ = Model7200();

    QString writePdf(const DecodeResult& decoded, Language language, Paper paper) {
        const fs::path path = fs::path(folder_.path().toStdString()) / "card.pdf";
        const auto error = WriteCardPdf(MakeChannelCard(decoded, model_, language), path, paper);
        if (error)
            qWarning("%s", error->message.c_str());
        return QString::fromStdString(path.string());
    }

private slots:
    // What a dealer reads off the paper: one page of the chosen size with the radio's
    // model and every frequency of the channels in use as text.
    void onePageWithEveryFrequency() {
        const std::pair<Paper, const char*> papers[] = {{Paper::A4, "595 x 842 pts (A4)"},
                                                        {Paper::Letter, "612 x 792 pts (letter)"}};
        for (const auto& [paper, size] : papers) {
            const QString pdf = writePdf(SparseRadio(model_), Language::English, paper);
            const QString info = Poppler("pdfinfo", {pdf});
            QVERIFY2(info.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(info));
            QVERIFY2(info.contains(size), qPrintable(info));
            const QString text = Poppler("pdftotext", {"-layout", pdf, "-"});
            for (const char* expected :
                 {"Channel Card", "HX7200", "HX7200-U", "400-470MHz", "450.01250", "455.01250",
                  "446.00625", "469.98750", "Squelch level", "Narrow", "RX Freq. (MHz)"})
                QVERIFY2(text.contains(expected), qPrintable(expected + ("\n" + text)));
            // The receive-only channel 8 shows no transmit frequency and no encode tone.
            QVERIFY2(
                text.contains(QRegularExpression("\\n\\s*8\\s+446\\.00625\\s+None\\s+No\\s+No")),
                qPrintable(text));
        }
    }

    // The Chinese card carries its glyphs: text extraction finds the Chinese title, so
    // every font is embedded with a map back to Unicode.
    void chineseCardEmbedsItsGlyphs() {
        const QString pdf = writePdf(FullestRadio(model_), Language::Chinese, Paper::A4);
        const QString text = Poppler("pdftotext", {pdf, "-"});
        for (const char* expected : {"信道表", "功能设置", "静噪关闭", "接收频率", "是"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), qPrintable(text));
        const QStringList fonts = Poppler("pdffonts", {pdf}).split('\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY(!fonts.isEmpty());
        for (const QString& font : fonts) // columns emb, sub, uni
            QVERIFY2(font.contains(QRegularExpression("yes\\s+(yes|no)\\s+yes\\s+\\d+\\s+\\d+$")),
                     qPrintable(font));
    }

    // The widest content fits both papers in both languages at full size: no text
    // runs past its box and no two boxes overlap.
    void fullestCardFitsWithoutOverlap() {
        QPdfWriter device(folder_.filePath("probe.pdf"));
        for (const Paper paper : {Paper::A4, Paper::Letter}) {
            SetUpCardPage(device, paper);
            const QRectF area(QPointF(0, 0),
                              device.pageLayout().paintRectPixels(device.resolution()).size());
            for (const Language language : {Language::Chinese, Language::English}) {
                const auto card = MakeChannelCard(FullestRadio(model_), model_, language);
                const CardLayout layout = LayOutCard(card, area, device);
                const QRectF inside = area.adjusted(-1, -1, 1, 1); // a dot for rounding
                QVERIFY(layout.fits);
                QCOMPARE(layout.scale, 1.0);
                const auto& texts = layout.texts;
                for (std::size_t i = 0; i < texts.size(); ++i) {
                    const QFont font = CardFont(texts[i].style, language, layout.scale);
                    const qreal width =
                        QFontMetricsF(font, &device).horizontalAdvance(texts[i].text);
                    QVERIFY2(width <= texts[i].box.width(), qPrintable(texts[i].text));
                    QVERIFY2(inside.contains(texts[i].box), qPrintable(texts[i].text));
                    for (std::size_t j = i + 1; j < texts.size(); ++j)
                        QVERIFY2(!texts[i].box.intersects(texts[j].box),
                                 qPrintable(texts[i].text + " / " + texts[j].text));
                }
            }
        }
    }
};

} // namespace hx

QTEST_MAIN(hx::CardTest)
#include "CardTest.moc"
