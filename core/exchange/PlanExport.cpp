#include "core/exchange/PlanExport.h"

#include "core/codeplug/FunctionChoices.h"
#include "core/exchange/TextEncoding.h"

#include <algorithm>

namespace hx {
namespace {

std::vector<std::string> ChannelRow(const ChannelPlan& plan, int channel,
                                    const PlanContext& context, char decimalMark,
                                    bool withComment) {
    const ChannelRowTexts texts =
        RowTextsOf(plan, channel, context.model.tones, context.language, decimalMark);
    std::vector<std::string> row{std::to_string(channel + 1)};
    row.insert(row.end(), texts.cells.begin(), texts.cells.end());
    if (withComment)
        row.push_back(texts.comment);
    return row;
}

bool AnyComment(const ChannelPlan& plan, const std::vector<int>& channels) {
    return std::any_of(channels.begin(), channels.end(),
                       [&](int c) { return !plan.comments[static_cast<std::size_t>(c)].empty(); });
}

} // namespace

std::string ExportPlanCsv(const ChannelPlan& plan, const PlanContext& context, CsvStyle style) {
    const Language language = context.language;
    std::vector<int> all(kChannelCount);
    for (int c = 0; c < kChannelCount; ++c)
        all[static_cast<std::size_t>(c)] = c;
    const bool withComment = AnyComment(plan, all);
    constexpr std::string_view kLineEnd = "\r\n";

    std::string file(style.byteOrderMark ? kUtf8ByteOrderMark : "");
    std::vector<std::string> heading;
    for (int column = 0; column < kPlanColumnCount; ++column)
        if (withComment || static_cast<PlanColumn>(column) != PlanColumn::Comment)
            heading.push_back(ColumnHeading(static_cast<PlanColumn>(column), language));
    file += CsvLine(heading, style.separator, kLineEnd);
    for (const int c : all)
        file += CsvLine(ChannelRow(plan, c, context, DecimalMarkFor(style.separator), withComment),
                        style.separator, kLineEnd);

    file += kLineEnd;
    const auto& profile = context.model.profile;
    const int s = plan.state.subModel;
    const bool known = s >= 0 && s < profile.subModelCount;
    file += CsvLine({SubModelRowName(language), known ? profile.subModelName(s) : std::string()},
                    style.separator, kLineEnd);
    for (int i = 0; i < kFunctionSettingCount; ++i) {
        const auto setting = static_cast<FunctionSetting>(i);
        file += CsvLine({FunctionSettingName(setting, language),
                         FunctionChoiceText(setting, plan.state.functions[setting],
                                            context.model.modelCode, language)},
                        style.separator, kLineEnd);
    }
    return file;
}

std::string ChannelsAsText(const ChannelPlan& plan, const std::vector<int>& channels,
                           const PlanContext& context) {
    const bool withComment = AnyComment(plan, channels);
    std::string text;
    for (const int c : channels)
        text += CsvLine(ChannelRow(plan, c, context, '.', withComment), Separator::Tab, "\n");
    return text;
}

} // namespace hx
