#pragma once

#include "gui/window/WindowState.h"

#include <QAbstractTableModel>

namespace hx {

// The channel table as the plug holds it: a row per channel, a column per field. The
// texts, the row colours and the out-of-band marks all follow from the plug's values,
// the band and the language, never from what some widget shows.
class ChannelTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ChannelTableModel(const WindowState& state, QObject* parent = nullptr)
        : QAbstractTableModel(parent), state_(state) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // The cell text (display), the row's colour for a stored or an empty channel
    // (background) and the out-of-band mark of a frequency (foreground).
    QVariant data(const QModelIndex& index, int role) const override;

    // The plug, the band, the language or the colours changed.
    void refresh();
    // The text a field of a channel is shown with.
    std::string cellText(int channel, Field field) const;

private:
    bool outOfBand(int channel, Field field) const;

    const WindowState& state_;
};

} // namespace hx
