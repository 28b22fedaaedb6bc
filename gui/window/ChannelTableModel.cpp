#include "gui/window/ChannelTableModel.h"

#include "core/exchange/PlanCells.h"
#include "gui/style/Colours.h"

namespace hx {

int ChannelTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kChannelCount;
}

int ChannelTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kFieldCount;
}

std::string ChannelTableModel::cellText(int channel, Field field) const {
    return FieldCell(field, state_.plug.channels.value(channel, field), state_.model.tones,
                     state_.language, '.');
}

// The editor's rule for a stored frequency, applied to both of the channel's.
bool ChannelTableModel::outOfBand(int channel, Field field) const {
    if (!state_.marksOutOfBand)
        return false;
    const RangeJudgement j = JudgeFrequencyRanges(
        cellText(channel, Field::RxFrequency), cellText(channel, Field::TxFrequency), state_.band(),
        state_.bandCheckOn, true, state_.language);
    return field == Field::RxFrequency ? j.rxOutOfRange : j.txOutOfRange;
}

QVariant ChannelTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const int channel = index.row();
    const auto field = static_cast<Field>(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return Q(cellText(channel, field));
    case Qt::BackgroundRole:
        return ToQColor(state_.plug.channels.inUse(channel) ? state_.colours.textText
                                                            : state_.colours.text);
    case Qt::ForegroundRole: {
        const bool frequency = field == Field::RxFrequency || field == Field::TxFrequency;
        return ToQColor(frequency && outOfBand(channel, field) ? state_.colours.hint
                                                               : state_.colours.black);
    }
    default:
        return {};
    }
}

void ChannelTableModel::refresh() {
    beginResetModel();
    endResetModel();
}

} // namespace hx
