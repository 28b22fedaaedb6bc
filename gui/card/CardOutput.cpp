#include "gui/card/CardOutput.h"

#include "core/platform/Desktop.h"
#include "gui/card/CardLayout.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace hx {
namespace {

constexpr qreal kMarginMm = 15;
constexpr int kLetterWidthMm = 216;

// The part of the page inside the margins, where the painter's origin lies.
QRectF PaintArea(const QPagedPaintDevice& device) {
    const QRect rect = device.pageLayout().paintRectPixels(device.logicalDpiX());
    return {0, 0, static_cast<qreal>(rect.width()), static_cast<qreal>(rect.height())};
}

QPageSize PageSizeOf(Paper paper) {
    return QPageSize(paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4);
}

} // namespace

Paper PaperOfLocale() {
    return platform::LocalPaperWidthMm() == kLetterWidthMm ? Paper::Letter : Paper::A4;
}

void SetUpCardPage(QPagedPaintDevice& device, Paper paper) {
    device.setPageSize(PageSizeOf(paper));
    device.setPageOrientation(QPageLayout::Portrait);
    device.setPageMargins({kMarginMm, kMarginMm, kMarginMm, kMarginMm}, QPageLayout::Millimeter);
}

void PaintCard(QPainter& painter, const ChannelCard& card, const QRectF& area) {
    const CardLayout layout = LayOutCard(card, area, *painter.device());
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(225, 225, 225));
    for (const QRectF& shade : layout.shading)
        painter.drawRect(shade);
    QPen rule(Qt::black);
    rule.setWidthF(0.25 * painter.device()->logicalDpiX() / 25.4); // a quarter millimetre
    painter.setPen(rule);
    for (const QLineF& line : layout.rules)
        painter.drawLine(line);
    for (const CardLayout::Piece& piece : layout.texts) {
        painter.setFont(CardFont(piece.style, card.language, layout.scale));
        painter.drawText(piece.box, static_cast<int>(piece.alignment), piece.text);
    }
    painter.restore();
}

std::optional<FileError> WriteCardPdf(const ChannelCard& card, const std::filesystem::path& path,
                                      Paper paper) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setTitle(QString::fromStdString(card.title));
        writer.setCreator("hxprog");
        SetUpCardPage(writer, paper);
        QPainter painter(&writer);
        PaintCard(painter, card, PaintArea(writer));
    }
    const QByteArray& bytes = pdf.data();
    return WriteFileSafely(path, std::string_view(bytes.constData(), bytes.size()));
}

bool PrintCard(const ChannelCard& card, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    PaintCard(painter, card, PaintArea(printer));
    return painter.end();
}

} // namespace hx
