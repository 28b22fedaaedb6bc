#pragma once

#include "core/files/ModelFiles.h"
#include "core/image/ImageDecoder.h"

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

} // namespace hxtool
