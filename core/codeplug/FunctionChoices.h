#pragma once

#include "core/codeplug/CodePlug.h"
#include "core/texts/Language.h"

#include <string>
#include <vector>

namespace hx {

// The items of a function-setting list as the window shows them, in list order:
// item i is list position i.
std::vector<std::string> FunctionChoices(FunctionSetting setting, int modelCode, Language language);

// What a stored list position shows: its item, or the empty text for no selection
// or a position the list lacks.
std::string FunctionChoiceText(FunctionSetting setting, int position, int modelCode,
                               Language language);

// A setting's name in running text, lower case in English: "squelch level".
std::string FunctionSettingName(FunctionSetting setting, Language language);

// A channel field's name in running text: "receive frequency", "decode tone".
std::string ChannelFieldName(Field field, Language language);

} // namespace hx
