// Plan files come from spreadsheets and from users' hands: any bytes must import
// without harm, and what an import accepts has passed every check, so its export
// must import again without a rejection or a change.
#include "core/exchange/PlanExport.h"
#include "core/exchange/PlanImport.h"

#include <cstdint>
#include <string_view>

namespace {

const hx::ModelData& Model() {
    static const hx::ModelData model =
        hx::LoadModelData(std::filesystem::path(HX_SOURCE_DIR) / "data/Setting", 7200);
    return model;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const hx::ChannelPlan start{hx::StartState(Model().profile), {}};
    const hx::PlanContext context{Model(), hx::Language::English};
    (void)hx::PasteChannels(bytes, 3, start, context);
    const auto imported = hx::ImportPlanCsv(bytes, start, context);
    const auto* import = std::get_if<hx::PlanImport>(&imported);
    if (!import)
        return 0;
    const auto& plan = import->plan;
    const auto separator = size % 2 == 0 ? hx::Separator::Comma : hx::Separator::Semicolon;
    const auto again =
        hx::ImportPlanCsv(hx::ExportPlanCsv(plan, context, {separator}), plan, context);
    const auto* reimport = std::get_if<hx::PlanImport>(&again);
    if (!reimport || !reimport->rejected.empty() || reimport->changesAnything())
        __builtin_trap();
    return 0;
}
