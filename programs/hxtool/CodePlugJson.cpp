#include "programs/hxtool/CodePlugJson.h"

#include "core/codeplug/Frequency.h"
#include "core/image/ImageEncoder.h"

#include <array>
#include <cmath>

namespace hxtool {
namespace {

constexpr std::array<const char*, hx::kFunctionSettingCount> kFunctionNames = {
    "MoniKey", "TimeOut", "Sql", "BatSave", "ToneHint", "WideNarrow"};
// The fields that reach the image; the reserved two never do.
constexpr int kStoredFieldCount = 6;
constexpr std::array<const char*, kStoredFieldCount> kFieldNames = {
    "RxFrequency", "TxFrequency", "RxTone", "TxTone", "BusyLockout", "Shift"};

hx::FunctionSetting FunctionAt(std::size_t i) {
    return static_cast<hx::FunctionSetting>(i);
}

// -1 reads better as a whole number than as -1.0.
nlohmann::ordered_json FieldValue(double value) {
    if (value == static_cast<int>(value))
        return static_cast<int>(value);
    return value;
}

// The whole numbers a field may hold.
struct Range {
    int low, high;
    std::string text() const {
        return "a whole number from " + std::to_string(low) + " to " + std::to_string(high);
    }
};
constexpr Range kChannelRange{1, hx::kChannelCount};
constexpr Range kSubModelRange{-1, hx::kMaxSubModels - 1};
constexpr Range kPositionRange{-1, 255}; // a list position fills one byte of the image
constexpr Range kToneRange{-1, hx::kToneTableSize - 1};
constexpr Range kSwitchRange{-1, 1};

// An integer, or a number without a fraction, inside the range. Every JSON number
// converts to a double without overflow, so the test comes before any conversion to int.
std::optional<int> WholeNumberIn(const nlohmann::json& value, Range range) {
    if (!value.is_number())
        return std::nullopt;
    const double number = value.get<double>();
    if (!(number >= range.low && number <= range.high) || number != std::trunc(number))
        return std::nullopt;
    return static_cast<int>(number);
}

std::optional<std::string> ReadChannel(const nlohmann::json& entry, PlugDocument& plug) {
    if (!entry.is_object())
        return "every entry of \"channels\" must be an object";
    const auto number =
        entry.contains("channel") ? WholeNumberIn(entry["channel"], kChannelRange) : std::nullopt;
    if (!number)
        return "\"channel\" must be " + kChannelRange.text();
    const int c = *number - 1;
    for (int f = 0; f < kStoredFieldCount; ++f) {
        const char* name = kFieldNames[static_cast<std::size_t>(f)];
        if (!entry.contains(name))
            continue;
        const auto& value = entry[name];
        const std::string prefix =
            "channel " + std::to_string(*number) + ": \"" + name + "\" must be ";
        if (f < 2) { // a frequency in MHz
            // The image has room for 100 to 999 MHz; anything else would be stored as
            // some other frequency.
            const double mhz = value.is_number() ? value.get<double>() : 0.0;
            const bool empty = value.is_number() && mhz == hx::EmptyValue;
            if (!empty && !(mhz >= hx::kLowestPlausibleMhz && mhz < hx::kHighestPlausibleMhz))
                return prefix + "-1 (none) or a frequency from 100 to below 999 MHz";
            plug.channels.setValue(c, static_cast<hx::Field>(f), mhz);
            continue;
        }
        const Range range = f < 4 ? kToneRange : kSwitchRange;
        const auto whole = WholeNumberIn(value, range);
        if (!whole)
            return prefix + range.text();
        plug.channels.setValue(c, static_cast<hx::Field>(f), *whole);
    }
    return std::nullopt;
}

} // namespace

nlohmann::ordered_json DecodedToJson(const hx::DecodeResult& decoded, const hx::ModelData& model) {
    const auto& state = decoded.state;
    nlohmann::ordered_json functions = nlohmann::ordered_json::object();
    for (std::size_t i = 0; i < kFunctionNames.size(); ++i)
        functions[kFunctionNames[i]] = state.functions[FunctionAt(i)];

    nlohmann::ordered_json channels = nlohmann::ordered_json::array();
    for (int c = 0; c < hx::kChannelCount; ++c) {
        nlohmann::ordered_json channel;
        channel["channel"] = c + 1;
        nlohmann::ordered_json cells = nlohmann::ordered_json::array();
        for (int f = 0; f < kStoredFieldCount; ++f) {
            channel[kFieldNames[static_cast<std::size_t>(f)]] =
                FieldValue(state.channels.value(c, static_cast<hx::Field>(f)));
            cells.push_back(decoded.cellsEnglish[c][f]);
        }
        channel["cells"] = std::move(cells);
        channels.push_back(std::move(channel));
    }

    const auto& bands = model.profile.bandTexts;
    const bool hasBand = state.subModel >= 0 && state.subModel < static_cast<int>(bands.size());
    nlohmann::ordered_json document;
    document["model"] = model.modelCode;
    document["subModel"] = state.subModel;
    document["band"] = hasBand ? bands[static_cast<std::size_t>(state.subModel)] : "";
    document["functions"] = std::move(functions);
    document["channels"] = std::move(channels);
    return document;
}

std::variant<PlugDocument, std::string> PlugFromJson(const nlohmann::json& document) {
    if (!document.is_object())
        return std::string("the document must be a JSON object");
    PlugDocument plug;
    if (document.contains("model")) {
        const auto model = WholeNumberIn(document["model"], {7100, 7400});
        if (!model || !hx::IsKnownModelCode(*model))
            return std::string("\"model\" must be 7100, 7200 or 7400");
        plug.model = model;
    }
    if (document.contains("subModel")) {
        const auto subModel = WholeNumberIn(document["subModel"], kSubModelRange);
        if (!subModel)
            return "\"subModel\" must be " + kSubModelRange.text();
        plug.subModel = *subModel;
    }
    if (document.contains("functions")) {
        const auto& functions = document["functions"];
        if (!functions.is_object())
            return std::string("\"functions\" must be an object");
        for (std::size_t i = 0; i < kFunctionNames.size(); ++i) {
            if (!functions.contains(kFunctionNames[i]))
                continue;
            const auto position = WholeNumberIn(functions[kFunctionNames[i]], kPositionRange);
            if (!position)
                return std::string("\"functions\": \"") + kFunctionNames[i] + "\" must be " +
                       kPositionRange.text();
            plug.functions[FunctionAt(i)] = *position;
        }
    }
    if (document.contains("channels")) {
        const auto& channels = document["channels"];
        if (!channels.is_array())
            return std::string("\"channels\" must be an array");
        for (const auto& entry : channels)
            if (auto error = ReadChannel(entry, plug))
                return *error;
    }
    return plug;
}

std::optional<std::string> CheckAgainstModel(const PlugDocument& plug, const hx::ModelData& model) {
    const std::string series = " for the HX" + std::to_string(model.modelCode) + " series";
    const Range subModels{-1, model.profile.subModelCount - 1};
    if (plug.subModel < subModels.low || plug.subModel > subModels.high)
        return "\"subModel\" must be " + subModels.text() + series;
    for (std::size_t i = 0; i < kFunctionNames.size(); ++i) {
        const Range positions{-1, hx::HighestFunctionPosition(FunctionAt(i), model.modelCode)};
        const int position = plug.functions[FunctionAt(i)];
        if (position < positions.low || position > positions.high)
            return std::string("\"functions\": \"") + kFunctionNames[i] + "\" must be " +
                   positions.text() + series;
    }
    const auto& tones = model.tones;
    const Range tonePositions{-1, tones.dimensions.lastPosition};
    for (int c = 0; c < hx::kChannelCount; ++c)
        for (const hx::Field f : {hx::Field::RxTone, hx::Field::TxTone}) {
            const int p = static_cast<int>(plug.channels.value(c, f));
            const std::string field = "channel " + std::to_string(c + 1) + ": \"" +
                                      kFieldNames[static_cast<std::size_t>(f)] + "\" ";
            if (p > tonePositions.high)
                return field + "must be " + tonePositions.text() + series;
            // A position the tone file leaves empty has no code the radio could be given.
            if (p > 0 && tones.codes[static_cast<std::size_t>(p)].empty())
                return field + std::to_string(p) + " has no tone code in " +
                       hx::ModelFileNamesFor(model.modelCode).tones;
        }
    return std::nullopt;
}

} // namespace hxtool
