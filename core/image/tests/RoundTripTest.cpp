#include "core/codeplug/Frequency.h"
#include "core/image/ImageDecoder.h"
#include "core/image/ImageEncoder.h"
#include "core/model/ModelFiles.h"
#include "core/testsupport/ChannelRow.h"
#include "core/testsupport/TestFolder.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>

namespace hx {
namespace {

const std::filesystem::path kShippedSettings =
    std::filesystem::path(HX_SOURCE_DIR) / "data/Setting";

struct Model {
    explicit Model(int code) : data(LoadModelData(kShippedSettings, code)) {}
    ModelData data;

    DecodeResult roundTrip(const CodePlug& plug, int subModel) const {
        const MemoryImage image = EncodeImage(
            {plug.channels, plug.functions, subModel, data.modelCode, data.profile, data.tones});
        DecoderState before = StartState(data.profile);
        before.subModel = subModel;
        return DecodeImage(image, {data.modelCode, data.profile, data.tones}, before);
    }
};

// Every tone a list offers must come back as the same list position.
TEST(RoundTrip, EveryTonePositionSurvives) {
    for (int code : {7100, 7200, 7400}) {
        const Model model(code);
        const int last = model.data.tones.dimensions.lastPosition;
        for (int first = 0; first <= last; first += kChannelCount) {
            CodePlug plug;
            plug.functions[FunctionSetting::WideNarrow] = 1;
            for (int c = 0; c < kChannelCount; ++c) {
                const int p = std::min(first + c, last);
                SetChannel(plug.channels, c,
                           {446.00625, 446.00625, double(p), double(last - p), double(c % 2),
                            double((c / 2) % 2)});
            }
            const DecodeResult d = model.roundTrip(plug, 2);
            ASSERT_FALSE(d.subModelChanged);
            for (int c = 0; c < kChannelCount; ++c)
                for (Field f : {Field::RxTone, Field::TxTone, Field::BusyLockout, Field::Shift})
                    ASSERT_EQ(d.state.channels.value(c, f), plug.channels.value(c, f))
                        << "model " << code << " channel " << c << " field " << int(f);
        }
    }
}

// The highest position a function may take is the last one that survives the image.
TEST(RoundTrip, FunctionPositionsSurviveUpToTheirHighest) {
    for (int code : {7100, 7200, 7400}) {
        const Model model(code);
        for (int s = 0; s < kFunctionSettingCount; ++s) {
            const auto setting = static_cast<FunctionSetting>(s);
            const int highest = HighestFunctionPosition(setting, code);
            for (int p = 0; p <= highest + 1; ++p) {
                CodePlug plug;
                plug.functions = model.data.profile.functionDefaults;
                plug.functions[setting] = p;
                // Wide or narrow travels with the channels in use.
                plug.channels.setValue(0, Field::RxFrequency, 446.00625);
                plug.channels.setValue(0, Field::BusyLockout, 0);
                plug.channels.setValue(0, Field::Shift, 0);
                const DecodeResult d = model.roundTrip(plug, 2);
                EXPECT_EQ(d.state.functions[setting] == p, p <= highest)
                    << "model " << code << " setting " << s << " position " << p;
            }
        }
    }
}

// Every channel of every shipped band must come back as the same number and text.
TEST(RoundTrip, EveryRasterFrequencyOfEveryBandSurvives) {
    const Model model(7200);
    const ModelProfile& profile = model.data.profile;
    for (int s = 0; s < profile.subModelCount; ++s) {
        const Band band = *BandFromEdges(profile.lowEdgeText(s), profile.highEdgeText(s));
        std::vector<double> raster;
        if (band.is446()) {
            for (Mhz f = kBand446Low; f <= kBand446High; f.value += kChannelStep.value)
                raster.push_back(*ParseNumber(FormatFrequency(band.snap(f))));
        } else {
            for (int n = band.low * 80; n <= band.high * 80; ++n)
                raster.push_back(*ParseNumber(FormatFrequency(Mhz{n * 0.0125})));
        }
        ASSERT_GT(raster.size(), 7u);
        for (std::size_t first = 0; first < raster.size(); first += kChannelCount) {
            CodePlug plug;
            plug.functions = profile.functionDefaults;
            for (int c = 0; c < kChannelCount && first + c < raster.size(); ++c)
                SetChannel(plug.channels, c,
                           {raster[first + c], raster[raster.size() - 1 - first - c], 0, 0, 0, 0});
            const DecodeResult d = model.roundTrip(plug, s);
            ASSERT_EQ(d.state.channels, plug.channels) << "band " << s << " from " << raster[first];
            ASSERT_EQ(d.state.functions, plug.functions);
        }
    }
}

// Any bytes at all must decode without harm and leave a consistent state.
TEST(RoundTrip, RandomImagesDecodeToConsistentState) {
    const Model model(7200);
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 500; ++round) {
        MemoryImage image;
        for (auto& b : image)
            b = static_cast<std::uint8_t>(round % 3 == 0 && byte(random) < 128 ? 0xFF
                                                                               : byte(random));
        const DecodeResult d = DecodeImage(image, {7200, model.data.profile, model.data.tones},
                                           StartState(model.data.profile));
        ASSERT_GE(d.state.subModel, 0);
        for (int c = 0; c < kChannelCount; ++c) {
            ASSERT_EQ(d.inUse[c], d.state.channels.inUse(c));
            if (d.inUse[c])
                continue;
            for (const auto& text : d.cellsEnglish[c])
                ASSERT_TRUE(text.empty());
        }
    }
}

// The GUI toolkit switches the C library to the user's locale at start; in a German
// one, printf and strtod write and read "450,01250". The image must not care.
TEST(RoundTrip, ADecimalCommaLocaleChangesNothing) {
    TestFolder folder("hx_locale");
    const std::string build =
        "localedef -i de_DE -f UTF-8 " + (folder.path() / "de").string() + " >/dev/null 2>&1";
    if (std::system(build.c_str()) != 0)
        GTEST_SKIP() << "no de_DE locale source (Debian package locales)";
    ::setenv("LOCPATH", folder.path().c_str(), 1);
    ASSERT_NE(std::setlocale(LC_ALL, "de"), nullptr);
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    const std::string comma = probe;

    const Model model(7200);
    CodePlug plug;
    plug.functions = model.data.profile.functionDefaults;
    SetChannel(plug.channels, 0, {450.0125, 455.0125, 1, 0, 0, 0});
    const DecodeResult d = model.roundTrip(plug, 1);
    const auto parsed = ParseNumber("450.0125");
    std::setlocale(LC_ALL, "C");
    ::unsetenv("LOCPATH");

    ASSERT_EQ(comma, "1,5"); // the locale really was in force
    EXPECT_EQ(d.cellsEnglish[0][0], "450.01250");
    EXPECT_EQ(d.cellsEnglish[0][2], "67.0");
    EXPECT_EQ(d.state.channels.value(0, Field::TxFrequency), 455.0125);
    EXPECT_EQ(parsed, 450.0125);
}

} // namespace
} // namespace hx
