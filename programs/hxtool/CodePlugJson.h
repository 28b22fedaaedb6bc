#pragma once

#include "core/image/ImageDecoder.h"
#include "core/model/ModelFiles.h"

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <variant>

namespace hxtool {

// The code plug as hxtool prints and reads it: model, sub-model, function list
// positions and the 16 channels with their fields (-1 = not set).
struct PlugDocument {
    std::optional<int> model;
    int subModel = -1;
    hx::FunctionPositions functions;
    hx::ChannelTable channels;
};

// The decoded state with the English cell texts, in the fixed key order.
nlohmann::ordered_json DecodedToJson(const hx::DecodeResult& decoded, const hx::ModelData& model);

// Reads the same shape; "band" and "cells" are ignored. Errors name the bad key.
std::variant<PlugDocument, std::string> PlugFromJson(const nlohmann::json& document);

// What the model series cannot hold: a sub-model it lacks, a tone position beyond its
// table, a function position beyond its list. Such values would reach the image as
// some other setting, so they are refused; nothing when the document fits.
std::optional<std::string> CheckAgainstModel(const PlugDocument& plug, const hx::ModelData& model);

} // namespace hxtool
