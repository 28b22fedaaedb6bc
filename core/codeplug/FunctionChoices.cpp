#include "core/codeplug/FunctionChoices.h"

#include "core/texts/Texts.h"

namespace hx {

std::vector<std::string> FunctionChoices(FunctionSetting setting, int modelCode,
                                         Language language) {
    const auto word = [language](Text text) { return std::string(TextOf(text).in(language)); };
    const bool is7100 = modelCode == 7100;
    switch (setting) {
    case FunctionSetting::MonitorKey:
        if (is7100)
            return {word(Text::On), word(Text::Off)};
        return {word(Text::Off), word(Text::MonitorMomentary), word(Text::MonitorLock),
                word(Text::SquelchOffMomentary)};
    case FunctionSetting::TimeOutTimer: {
        std::vector<std::string> items{word(Text::Off)};
        for (int n = 1; n <= 10; ++n)
            items.push_back(std::to_string(30 * n));
        return items;
    }
    case FunctionSetting::SquelchLevel: {
        std::vector<std::string> items;
        for (int level = is7100 ? 1 : 0; level <= 9; ++level)
            items.push_back(std::to_string(level));
        return items;
    }
    case FunctionSetting::BatterySave:
    case FunctionSetting::BeepTone:
        return {word(Text::On), word(Text::Off)};
    case FunctionSetting::WideNarrow:
        return {word(Text::Wide), word(Text::Narrow)};
    }
    return {};
}

std::string FunctionChoiceText(FunctionSetting setting, int position, int modelCode,
                               Language language) {
    const auto items = FunctionChoices(setting, modelCode, language);
    if (position < 0 || position >= static_cast<int>(items.size()))
        return {};
    return items[static_cast<std::size_t>(position)];
}

std::string FunctionSettingName(FunctionSetting setting, Language language) {
    constexpr Text kNames[kFunctionSettingCount] = {
        Text::SettingMonitorKey,  Text::SettingTimeOutTimer, Text::SettingSquelchLevel,
        Text::SettingBatterySave, Text::SettingBeepTone,     Text::SettingWideNarrow};
    return std::string(TextOf(kNames[static_cast<int>(setting)]).in(language));
}

std::string ChannelFieldName(Field field, Language language) {
    switch (field) {
    case Field::RxFrequency:
        return std::string(TextOf(Text::FieldReceiveFrequency).in(language));
    case Field::TxFrequency:
        return std::string(TextOf(Text::FieldTransmitFrequency).in(language));
    case Field::RxTone:
        return std::string(TextOf(Text::FieldDecodeTone).in(language));
    case Field::TxTone:
        return std::string(TextOf(Text::FieldEncodeTone).in(language));
    case Field::BusyLockout:
        return std::string(TextOf(Text::FieldBusyLockout).in(language));
    case Field::Shift:
        return std::string(TextOf(Text::FieldShift).in(language));
    case Field::Reserved6:
    case Field::Reserved7:
        break;
    }
    return {};
}

} // namespace hx
