#include "core/image/ImageEncoder.h"

#include "core/testsupport/ChannelRow.h"

#include <gtest/gtest.h>
#include <vector>

namespace hx {
namespace {

struct Fixture {
    ModelProfile profile;
    ToneTable tones;
    ChannelTable channels;
    FunctionPositions functions;

    Fixture() {
        tones.dimensions = ToneDimensionsFor(7200);
        tones.codes[5] = "0719";
        tones.codes[121] = "9023";
        tones.codes[122] = "9023";
        profile.subModelCount = 2;
        profile.subModelTable[7] = "12";
        for (int k = 0; k < 8; ++k)
            profile.subModelBytes[static_cast<std::size_t>(10 + k)] = 0x30 + k;
    }
    MemoryImage encode(int subModel = 1, int model = 7200) const {
        return EncodeImage({channels, functions, subModel, model, profile, tones});
    }
};

std::vector<int> Bytes(const MemoryImage& image, std::size_t from, std::size_t count) {
    return {image.begin() + static_cast<long>(from),
            image.begin() + static_cast<long>(from + count)};
}

// Protects the frequency digits the radio tunes to.
TEST(Encoder, FrequenciesArePackedBcdLeastSignificantFirst) {
    EXPECT_EQ(EncodeFrequency(446.00625), (std::array<std::uint8_t, 4>{0x25, 0x06, 0x60, 0x44}));
    EXPECT_EQ(EncodeFrequency(462.5625), (std::array<std::uint8_t, 4>{0x50, 0x62, 0x25, 0x46}));
    EXPECT_EQ(EncodeFrequency(99.99), (std::array<std::uint8_t, 4>{0x00, 0x00, 0x00, 0x10}));
    EXPECT_EQ(EncodeFrequency(1000), (std::array<std::uint8_t, 4>{0x00, 0x00, 0x00, 0x10}));
    for (long long n = 10000000; n < 99900000; n += 12347) {
        const auto bytes = EncodeFrequency(static_cast<double>(n) / 100000.0);
        long long back = 0;
        for (int i = 3; i >= 0; --i)
            back = back * 100 + FromPackedBcd(bytes[static_cast<std::size_t>(i)]);
        ASSERT_EQ(back, n);
    }
}

// Protects the channel record layout, byte for byte, of a worked example.
TEST(Encoder, ChannelRecordMatchesTheWorkedExample) {
    Fixture fx;
    SetChannel(fx.channels, 0, {446.00625, 446.00625, 0, 5, 0, 0});
    fx.functions[FunctionSetting::WideNarrow] = 1;
    EXPECT_EQ(Bytes(fx.encode(), 66, 16),
              (std::vector<int>{0x25, 0x06, 0x60, 0x44, 0x25, 0x06, 0x60, 0x44, 0xFF, 0xFF, 0x19,
                                0x07, 0xFF, 0x01, 0x01, 0xFF}));
}

TEST(Encoder, EmptyPlugCarriesListsFunctionsAndSubModel) {
    Fixture fx;
    const MemoryImage image = fx.encode();
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(image[690 + static_cast<std::size_t>(i)], i + 1);
        EXPECT_EQ(image[ChannelRecordOffset(i) + 12], 0xFB);
        EXPECT_EQ(image[ChannelRecordOffset(i) + 13], 0xFF);
    }
    EXPECT_EQ(image[1010], 0xFF); // no selection counts as on
    EXPECT_EQ(image[1011], 5);
    EXPECT_EQ(image[1012], 3);
    EXPECT_EQ(image[1013], 2);
    EXPECT_EQ(Bytes(image, 1026, 8),
              (std::vector<int>{0x30, 0x31, 12, 0x33, 0x34, 0x35, 0x36, 0x37}));
}

TEST(Encoder, FunctionBytesFollowTheModel) {
    Fixture fx;
    fx.functions[FunctionSetting::SquelchLevel] = 3;
    fx.functions[FunctionSetting::MonitorKey] = 0;
    fx.functions[FunctionSetting::TimeOutTimer] = 0;
    fx.functions[FunctionSetting::BeepTone] = 1;
    fx.functions[FunctionSetting::BatterySave] = 0;
    const MemoryImage m7200 = fx.encode(1, 7200);
    const MemoryImage m7100 = fx.encode(1, 7100);
    EXPECT_EQ(m7200[1010], 0xFE);
    EXPECT_EQ(m7200[1011], 3);
    EXPECT_EQ(m7100[1011], 4);
    EXPECT_EQ(m7200[1012], 0);
    EXPECT_EQ(m7100[1012], 3);
    EXPECT_EQ(m7200[1013], 0); // the off item means off, not sixty seconds
}

TEST(Encoder, InvertedDqtAndUnsetBitsKeepTheirRules) {
    Fixture fx;
    fx.channels.setValue(2, Field::RxFrequency, 400.0);
    fx.channels.setValue(2, Field::RxTone, 122);
    fx.channels.setValue(2, Field::TxTone, 121);
    fx.functions[FunctionSetting::WideNarrow] = 0;
    const MemoryImage image = fx.encode();
    const std::size_t r = ChannelRecordOffset(2);
    EXPECT_EQ(Bytes(image, r + 8, 4), (std::vector<int>{0x23, 0xC0, 0x23, 0x90}));
    EXPECT_EQ(image[r + 12], 0xFB); // shift and lockout unset
    EXPECT_EQ(Bytes(image, r + 4, 4), (std::vector<int>{0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(Encoder, NoSubModelLeavesItsBytesBlank) {
    Fixture fx;
    const MemoryImage image = fx.encode(-1);
    EXPECT_EQ(Bytes(image, 1026, 8), std::vector<int>(8, 0xFF));
}

} // namespace
} // namespace hx
