#include "core/codeplug/Frequency.h"
#include "core/exchange/ChirpCsv.h"
#include "core/exchange/PlanExport.h"
#include "core/exchange/PlanImport.h"
#include "core/image/ImageEncoder.h"

#include <gtest/gtest.h>
#include <random>

namespace hx {
namespace {

const std::filesystem::path kShippedSettings =
    std::filesystem::path(HX_SOURCE_DIR) / "data/Setting";

// A code plug as a data file can hold it: channels on the band's raster, off it and
// out of band, tones from the lists, every function setting at a position the image
// keeps.
class RandomPlug {
public:
    RandomPlug(const ModelData& model, unsigned start) : model_(model), random_(start) {}

    DecoderState next(int subModel) {
        const ModelProfile& profile = model_.profile;
        DecoderState state;
        state.subModel = subModel;
        for (int s = 0; s < kFunctionSettingCount; ++s) {
            const auto setting = static_cast<FunctionSetting>(s);
            state.functions[setting] = pick(0, HighestFunctionPosition(setting, model_.modelCode));
        }
        const Band band = *BandFromEdges(profile.lowEdgeText(state.subModel),
                                         profile.highEdgeText(state.subModel));
        const int lastTone = model_.tones.dimensions.lastPosition;
        for (int c = 0; c < kChannelCount; ++c) {
            if (pick(0, 3) == 0)
                continue; // not in use
            const bool transmits = pick(0, 4) > 0;
            state.channels.setValue(c, Field::RxFrequency, frequency(band));
            state.channels.setValue(c, Field::TxFrequency, transmits ? frequency(band) : -1);
            state.channels.setValue(c, Field::RxTone, pick(0, lastTone));
            state.channels.setValue(c, Field::TxTone, transmits ? pick(0, lastTone) : -1);
            state.channels.setValue(c, Field::BusyLockout, pick(0, 1));
            state.channels.setValue(c, Field::Shift, pick(0, 1));
        }
        return state;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution(low, high)(random_); }
    // Mostly the band's channels; else any 10 Hz step in the band or anywhere the
    // image can store one.
    double frequency(const Band& band) {
        const int kind = pick(0, 5);
        Mhz f;
        if (kind == 0)
            f = Mhz{pick(100 * 100000, 999 * 100000 - 1) / kTensOfHzPerMhz};
        else if (kind == 1)
            f = Mhz{(band.low * 100000 + pick(0, (band.high - band.low + 1) * 100000 - 1)) /
                    kTensOfHzPerMhz};
        else if (band.is446())
            f = Mhz{kBand446Low.value + pick(0, 7) * kChannelStep.value};
        else
            f = band.snap(Mhz{pick(band.low * 80, band.high * 80) * kChannelStep.value});
        return *ParseNumber(FormatFrequency(f));
    }

    const ModelData& model_;
    std::mt19937 random_;
};

MemoryImage Encode(const DecoderState& state, const ModelData& model) {
    return EncodeImage({state.channels, state.functions, state.subModel, model.modelCode,
                        model.profile, model.tones});
}

// A data file exported and imported again in either language and with any separator
// is the same file, byte for byte, for every sub-model of every series, with
// frequencies off the raster and out of band among them.
TEST(PlanRoundTrip, ExportThenImportGivesTheSameDataFile) {
    for (const int code : {7100, 7200, 7400}) {
        const ModelData model = LoadModelData(kShippedSettings, code);
        RandomPlug plugs(model, 1207u + static_cast<unsigned>(code));
        const ChannelPlan start{StartState(model.profile), {}};
        for (int round = 0; round < 40; ++round) {
            const MemoryImage file = Encode(plugs.next(round % model.profile.subModelCount), model);
            const DecodeResult opened =
                DecodeImage(file, {code, model.profile, model.tones}, start.state);
            const ChannelPlan plan{opened.state, {}};
            for (const Language language : {Language::English, Language::Chinese})
                for (const Separator separator :
                     {Separator::Comma, Separator::Semicolon, Separator::Tab}) {
                    const PlanContext context{model, language};
                    const std::string csv = ExportPlanCsv(plan, context, {separator});
                    const auto imported = ImportPlanCsv(csv, start, context);
                    ASSERT_TRUE(std::holds_alternative<PlanImport>(imported));
                    const PlanImport& result = std::get<PlanImport>(imported);
                    ASSERT_EQ(result.rejected, std::vector<RejectedRow>{}) << csv;
                    ASSERT_EQ(Encode(result.plan.state, model), file)
                        << "model " << code << " round " << round << "\n"
                        << csv;
                }
        }
    }
}

// Through CHIRP's layout, which has columns for frequencies and tones only: into an
// empty table they come back as they were, and into the plan they came from (busy
// lockout, shift and the settings left as they are) the data file is the same.
TEST(PlanRoundTrip, ThroughChirpsLayout) {
    for (const int code : {7100, 7200, 7400}) {
        const ModelData model = LoadModelData(kShippedSettings, code);
        RandomPlug plugs(model, 2026u + static_cast<unsigned>(code));
        const PlanContext context{model, Language::English};
        for (int round = 0; round < 30; ++round) {
            const MemoryImage file = Encode(plugs.next(round % model.profile.subModelCount), model);
            const DecodeResult opened =
                DecodeImage(file, {code, model.profile, model.tones}, StartState(model.profile));
            const ChannelPlan plan{opened.state, {}};
            const std::string csv = ExportChirpCsv(plan, context);
            ChannelPlan empty = plan;
            empty.state.channels.clear();
            const auto fresh = std::get<PlanImport>(ImportPlanCsv(csv, empty, context));
            ASSERT_EQ(fresh.rejected, std::vector<RejectedRow>{}) << csv;
            for (int c = 0; c < kChannelCount; ++c)
                for (const Field f :
                     {Field::RxFrequency, Field::TxFrequency, Field::RxTone, Field::TxTone})
                    ASSERT_EQ(fresh.plan.state.channels.value(c, f),
                              plan.state.channels.value(c, f))
                        << "model " << code << " round " << round << " channel " << c + 1 << "\n"
                        << csv;
            const auto back = std::get<PlanImport>(ImportPlanCsv(csv, plan, context));
            ASSERT_EQ(Encode(back.plan.state, model), file) << "model " << code << "\n" << csv;
        }
    }
}

} // namespace
} // namespace hx
