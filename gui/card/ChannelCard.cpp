#include "gui/card/ChannelCard.h"

#include "core/codeplug/FunctionChoices.h"
#include "core/texts/Texts.h"

#include <cctype>

namespace hx {
namespace {

// The table's fields, in the order the window's table shows them.
constexpr Field kCardFields[] = {Field::RxFrequency, Field::TxFrequency, Field::RxTone,
                                 Field::TxTone,      Field::BusyLockout, Field::Shift};

// A name used in running text, as a caption on its own: "Squelch level".
std::string AsCaption(std::string name) {
    if (!name.empty())
        name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    return name;
}

std::vector<std::string> ColumnHeadings(Language language) {
    const auto caption = [language](const char* name) {
        return std::string(CaptionOf(name)->in(language));
    };
    return {std::string(TextOf(Text::CardChannel).in(language)),
            caption("receiveFrequencyHeading") + " (MHz)",
            caption("transmitFrequencyHeading") + " (MHz)",
            caption("decodeToneHeading"),
            caption("encodeToneHeading"),
            caption("busyLockoutHeading"),
            caption("shiftHeading")};
}

} // namespace

ChannelCard MakeChannelCard(const DecodeResult& decoded, const ModelData& model,
                            Language language) {
    const auto text = [language](Text t) { return std::string(TextOf(t).in(language)); };
    ChannelCard card;
    card.language = language;
    card.title = text(Text::CardTitle);

    const int subModel = decoded.state.subModel;
    const auto& profile = model.profile;
    const bool known = subModel >= 0 && subModel < profile.subModelCount;
    card.model = {
        {text(Text::CardModel), "HX" + std::to_string(model.modelCode)},
        {AsCaption(text(Text::SubModelName)),
         known ? profile.subModelName(subModel) : std::string()},
        {text(Text::CardBand),
         known ? profile.bandTexts.at(static_cast<std::size_t>(subModel)) : std::string()}};

    card.functionsHeading = text(Text::CardFunctions);
    for (int s = 0; s < kFunctionSettingCount; ++s) {
        const auto setting = static_cast<FunctionSetting>(s);
        card.functions.push_back({AsCaption(FunctionSettingName(setting, language)),
                                  FunctionChoiceText(setting, decoded.state.functions[setting],
                                                     model.modelCode, language)});
    }

    card.columns = ColumnHeadings(language);
    const auto& cells = decoded.cells(language);
    for (int c = 0; c < kChannelCount; ++c) {
        std::vector<std::string> row{std::to_string(c + 1)};
        for (const Field field : kCardFields)
            row.push_back(cells[c][static_cast<int>(field)]);
        card.rows.push_back(std::move(row));
    }
    return card;
}

} // namespace hx
