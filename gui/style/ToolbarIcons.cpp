#include "gui/style/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>
#include <utility>

namespace hx {
namespace {

// Each picture is drawn on a grid of 24 x 24 units.
constexpr qreal kGrid = 24;

const QColor kOutline(70, 70, 70);

void Page(QPainter& p) {
    QPainterPath sheet;
    sheet.moveTo(5, 2);
    sheet.lineTo(14, 2);
    sheet.lineTo(19, 7);
    sheet.lineTo(19, 22);
    sheet.lineTo(5, 22);
    sheet.closeSubpath();
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    p.setBrush(QColor(225, 225, 225));
    p.drawPolygon(QPolygonF({{14, 2}, {14, 7}, {19, 7}}));
}

void Folder(QPainter& p) {
    p.setPen(QPen(QColor(150, 100, 30), 1));
    p.setBrush(QColor(205, 140, 45));
    p.drawRoundedRect(QRectF(2, 5, 9, 5), 1, 1);
    p.drawRect(QRectF(2, 7, 18, 14));
    QLinearGradient front(0, 11, 0, 21);
    front.setColorAt(0, QColor(250, 205, 110));
    front.setColorAt(1, QColor(225, 160, 60));
    p.setBrush(front);
    p.drawPolygon(QPolygonF({{5, 11}, {23, 11}, {20, 21}, {2, 21}}));
}

void Diskette(QPainter& p) {
    p.setPen(QPen(QColor(30, 60, 120), 1));
    p.setBrush(QColor(70, 115, 190));
    p.drawRoundedRect(QRectF(3, 3, 18, 18), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6, 3.5, 12, 7));
    p.setBrush(QColor(200, 200, 205));
    p.drawRect(QRectF(7, 14, 10, 7));
    p.setBrush(QColor(60, 60, 70));
    p.drawRect(QRectF(13, 15.5, 2.5, 4));
}

// A green disc with a white arrow, pointing down (`down`) or up.
void Arrow(QPainter& p, bool down) {
    QRadialGradient disc(QPointF(9, 8), 14);
    disc.setColorAt(0, QColor(120, 200, 90));
    disc.setColorAt(1, QColor(30, 120, 40));
    p.setPen(QPen(QColor(25, 90, 30), 1));
    p.setBrush(disc);
    p.drawEllipse(QRectF(2, 2, 20, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    if (!down) {
        p.translate(12, 12);
        p.rotate(180);
        p.translate(-12, -12);
    }
    p.drawRect(QRectF(10.5, 6, 3, 7));
    p.drawPolygon(QPolygonF({{6.5, 12}, {17.5, 12}, {12, 18}}));
}

void Computer(QPainter& p) {
    p.setPen(QPen(QColor(50, 50, 55), 1));
    p.setBrush(QColor(90, 90, 95));
    p.drawRoundedRect(QRectF(3, 3, 18, 13), 1, 1);
    QLinearGradient screen(0, 5, 0, 14);
    screen.setColorAt(0, QColor(120, 180, 240));
    screen.setColorAt(1, QColor(40, 90, 170));
    p.setPen(Qt::NoPen);
    p.setBrush(screen);
    p.drawRect(QRectF(5, 5, 14, 9));
    p.setBrush(QColor(110, 110, 115));
    p.drawRect(QRectF(10, 16, 4, 2.5));
    p.drawRoundedRect(QRectF(6, 18.5, 12, 2.5), 1, 1);
}

// A white ring with four red quarters.
void LifeRing(QPainter& p) {
    QPainterPath ring;
    ring.addEllipse(QRectF(2, 2, 20, 20));
    ring.addEllipse(QRectF(7.5, 7.5, 9, 9));
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.setBrush(Qt::white);
    p.drawPath(ring);
    p.setClipPath(ring);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(215, 45, 45));
    for (int quarter = 0; quarter < 4; ++quarter)
        p.drawPie(QRectF(1, 1, 22, 22), (22 + 90 * quarter) * 16, 46 * 16);
}

void Cross(QPainter& p) {
    p.setPen(QPen(Qt::black, 3.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6, 6), QPointF(18, 18));
    p.drawLine(QPointF(18, 6), QPointF(6, 18));
}

} // namespace

QIcon ToolbarIcon(std::string_view key) {
    const std::pair<std::string_view, std::function<void(QPainter&)>> pictures[] = {
        {"FileNew", Page},
        {"FileOpen", Folder},
        {"FileSave", Diskette},
        {"Read", [](QPainter& p) { Arrow(p, true); }},
        {"Write", [](QPainter& p) { Arrow(p, false); }},
        {"Port", Computer},
        {"Help", LifeRing},
        {"Exit", Cross},
    };
    for (const auto& [name, draw] : pictures) {
        if (name != key)
            continue;
        QIcon icon;
        for (const int size : {16, 24, 32, 48}) {
            QPixmap picture(size, size);
            picture.fill(Qt::transparent);
            QPainter painter(&picture);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.scale(size / kGrid, size / kGrid);
            draw(painter);
            painter.end();
            icon.addPixmap(picture);
        }
        return icon;
    }
    return {};
}

} // namespace hx
