#include "core/exchange/ChannelPlan.h"

namespace hx {

ChannelRowTexts RowTextsOf(const ChannelPlan& plan, int channel, const ToneTable& tones,
                           Language language, char decimalMark) {
    ChannelRowTexts texts;
    for (int f = 0; f < kRowFieldCount; ++f) {
        const auto field = static_cast<Field>(f);
        texts.cells[static_cast<std::size_t>(f)] = FieldCell(
            field, plan.state.channels.value(channel, field), tones, language, decimalMark);
    }
    texts.comment = plan.comments[static_cast<std::size_t>(channel)];
    return texts;
}

} // namespace hx
