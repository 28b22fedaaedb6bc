#include "gui/card/CardLayout.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QStringList>
#include <algorithm>
#include <numeric>

namespace hx {
namespace {

// Fonts shrink in steps of 5 % down to half their size.
constexpr int kScaleSteps = 10;
constexpr qreal kScaleStep = 0.05;
constexpr int kFunctionColumns = 3;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// One attempt at one font scale; notes whether everything fitted.
class CardLayouter {
public:
    CardLayouter(const ChannelCard& card, const QRectF& area, const QPaintDevice& device,
                 qreal scale)
        : card_(card), area_(area), device_(device), y_(area.top()) {
        layout_.scale = scale;
    }

    CardLayout run() {
        const qreal titleHeight = lineHeight(CardStyle::Title);
        place({area_.left(), y_, area_.width(), titleHeight}, Q(card_.title), CardStyle::Title,
              Qt::AlignLeft | Qt::AlignVCenter);
        y_ += titleHeight + mm(2);
        placePairs(card_.model, static_cast<int>(card_.model.size()));
        y_ += mm(4);
        const qreal headingHeight = lineHeight(CardStyle::Heading);
        place({area_.left(), y_, area_.width(), headingHeight}, Q(card_.functionsHeading),
              CardStyle::Heading, Qt::AlignLeft | Qt::AlignVCenter);
        y_ += headingHeight;
        placePairs(card_.functions, kFunctionColumns);
        y_ += mm(6);
        placeTable();
        if (y_ > area_.bottom())
            layout_.fits = false;
        return std::move(layout_);
    }

private:
    qreal mm(qreal millimetres) const { return millimetres * device_.logicalDpiY() / 25.4; }
    QFont font(CardStyle style) const { return CardFont(style, card_.language, layout_.scale); }
    qreal width(CardStyle style, const QString& text) const {
        return QFontMetricsF(font(style), &device_).horizontalAdvance(text);
    }
    qreal lineHeight(CardStyle style) const {
        return QFontMetricsF(font(style), &device_).height() * 1.35;
    }
    void place(const QRectF& box, const QString& text, CardStyle style, Qt::Alignment alignment) {
        if (!text.isEmpty())
            layout_.texts.push_back({box, text, style, alignment});
    }

    // Captions with their values in up to `columns` columns, fewer when a pair would
    // not fit its column.
    void placePairs(const std::vector<LabelledValue>& pairs, int columns) {
        const QString colon = card_.language == Language::Chinese ? "：" : ": ";
        const qreal gutter = mm(4);
        const auto fitsIn = [&](qreal columnWidth) {
            return std::all_of(pairs.begin(), pairs.end(), [&](const LabelledValue& pair) {
                return width(CardStyle::Label, Q(pair.label) + colon) +
                           width(CardStyle::Body, Q(pair.value)) <=
                       columnWidth - gutter;
            });
        };
        while (columns > 1 && !fitsIn(area_.width() / columns))
            --columns;
        const qreal columnWidth = area_.width() / columns;
        if (!fitsIn(columnWidth))
            layout_.fits = false;
        const qreal height = lineHeight(CardStyle::Body);
        for (std::size_t i = 0; i < pairs.size(); ++i) {
            const int column = static_cast<int>(i) % columns;
            const int row = static_cast<int>(i) / columns;
            const QPointF at(area_.left() + column * columnWidth, y_ + row * height);
            const QString label = Q(pairs[i].label) + colon;
            const qreal labelWidth = width(CardStyle::Label, label);
            place({at.x(), at.y(), labelWidth, height}, label, CardStyle::Label,
                  Qt::AlignLeft | Qt::AlignVCenter);
            place({at.x() + labelWidth, at.y(), columnWidth - gutter - labelWidth, height},
                  Q(pairs[i].value), CardStyle::Body, Qt::AlignLeft | Qt::AlignVCenter);
        }
        const auto rows = (static_cast<int>(pairs.size()) + columns - 1) / columns;
        y_ += rows * height;
    }

    // Each column as wide as its widest text; the first, the channel number, keeps
    // that width and the others share what is left of the line.
    std::vector<qreal> columnWidths() {
        const qreal padding = mm(1.5);
        std::vector<qreal> widths;
        for (std::size_t c = 0; c < card_.columns.size(); ++c) {
            qreal widest = width(CardStyle::Heading, Q(card_.columns[c]));
            for (const auto& row : card_.rows)
                widest = std::max(widest, width(CardStyle::Body, Q(row.at(c))));
            widths.push_back(widest + 2 * padding);
        }
        const qreal natural = std::accumulate(widths.begin(), widths.end(), 0.0);
        if (natural > area_.width())
            layout_.fits = false;
        else if (widths.size() > 1) {
            const qreal share = (area_.width() - natural) / static_cast<qreal>(widths.size() - 1);
            std::for_each(widths.begin() + 1, widths.end(), [share](qreal& w) { w += share; });
        }
        return widths;
    }

    void placeTable() {
        const std::vector<qreal> widths = columnWidths();
        const qreal headingHeight = lineHeight(CardStyle::Heading) * 1.4;
        const qreal rowHeight = lineHeight(CardStyle::Body) * 1.3;
        const qreal top = y_;
        const auto placeRow = [&](const std::vector<std::string>& texts, qreal height,
                                  CardStyle style) {
            qreal x = area_.left();
            for (std::size_t c = 0; c < widths.size(); ++c) {
                place({x, y_, widths[c], height}, Q(texts.at(c)), style, Qt::AlignCenter);
                x += widths[c];
            }
            layout_.rules.emplace_back(area_.left(), y_ + height, x, y_ + height);
            y_ += height;
        };
        layout_.shading.emplace_back(area_.left(), y_, area_.width(), headingHeight);
        layout_.rules.emplace_back(area_.left(), top, area_.right(), top);
        placeRow(card_.columns, headingHeight, CardStyle::Heading);
        for (std::size_t r = 0; r < card_.rows.size(); ++r) {
            if (r % 2 == 1)
                layout_.shading.emplace_back(area_.left(), y_, area_.width(), rowHeight);
            placeRow(card_.rows[r], rowHeight, CardStyle::Body);
        }
        qreal x = area_.left();
        layout_.rules.emplace_back(x, top, x, y_);
        for (const qreal w : widths) {
            x += w;
            layout_.rules.emplace_back(x, top, x, y_);
        }
    }

    const ChannelCard& card_;
    QRectF area_;
    const QPaintDevice& device_;
    CardLayout layout_;
    qreal y_;
};

} // namespace

QFont CardFont(CardStyle style, Language language, qreal scale) {
    QFont font;
    // A Chinese card sets every text in a CJK face; an English one takes a Latin face
    // and falls back to the CJK one for a Chinese sub-model name.
    if (language == Language::Chinese)
        font.setFamilies({"WenQuanYi Zen Hei", "Noto Sans CJK SC", "Droid Sans Fallback"});
    else
        font.setFamilies({"Liberation Sans", "DejaVu Sans", "WenQuanYi Zen Hei"});
    const bool title = style == CardStyle::Title;
    font.setPointSizeF((title ? 20.0 : 10.5) * scale);
    font.setBold(style != CardStyle::Body);
    return font;
}

CardLayout LayOutCard(const ChannelCard& card, const QRectF& area, const QPaintDevice& device) {
    for (int step = 0;; ++step) {
        CardLayout layout = CardLayouter(card, area, device, 1 - step * kScaleStep).run();
        if (layout.fits || step == kScaleSteps)
            return layout;
    }
}

} // namespace hx
