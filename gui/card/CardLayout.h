#pragma once

#include "core/texts/Language.h"
#include "gui/card/ChannelCard.h"

#include <QFont>
#include <QLineF>
#include <QRectF>
#include <QString>
#include <vector>

class QPaintDevice;

namespace hx {

enum class CardStyle { Title, Heading, Label, Body };

// The card's font for a style in a language, at `scale` times its full size.
QFont CardFont(CardStyle style, Language language, qreal scale);

// Where every text, shade and line of a card goes on one page.
struct CardLayout {
    struct Piece {
        QRectF box;
        QString text;
        CardStyle style;
        Qt::Alignment alignment;
    };
    std::vector<Piece> texts;
    std::vector<QRectF> shading; // the table's heading and every second row
    std::vector<QLineF> rules;   // the table's lines
    qreal scale = 1;             // of the fonts' full sizes
    bool fits = true;            // false: even the smallest fonts overflow the area
};

// Lays the card out in `area` of `device`, in the device's units and measured in its
// fonts. Fonts shrink, down to half their size, until everything fits.
CardLayout LayOutCard(const ChannelCard& card, const QRectF& area, const QPaintDevice& device);

} // namespace hx
