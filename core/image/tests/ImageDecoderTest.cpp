#include "core/image/ImageDecoder.h"

#include <gtest/gtest.h>

namespace hx {
namespace {

struct Fixture {
    ModelProfile profile;
    ToneTable tones;
    MemoryImage image = BlankImage();
    DecoderState before;
    int model = 7200;

    Fixture() {
        tones.dimensions = ToneDimensionsFor(7200);
        tones.codes[2] = "0719";
        tones.names[2] = "719";
        tones.codes[160] = "9023";
        tones.names[160] = "D023I";
        profile.subModelCount = 2;
        profile.subModelTable[3] = "12";
        profile.subModelTable[7] = "13";
        profile.functionDefaults[FunctionSetting::WideNarrow] = 1;
        profile.functionDefaults[FunctionSetting::SquelchLevel] = 6;
        image[kBandCodeOffset] = 13;
        before = StartState(profile);
    }
    // A channel record in use with a receive frequency of 446.00625 MHz.
    void putChannel(int c, std::uint8_t option = 0xFB) {
        const std::size_t r = ChannelRecordOffset(c);
        const std::uint8_t bytes[] = {0x25, 0x06, 0x60, 0x44, 0xFF,   0xFF, 0xFF, 0xFF,
                                      0xFF, 0xFF, 0xFF, 0xFF, option, 0x01, 0x01};
        std::copy(std::begin(bytes), std::end(bytes), image.begin() + static_cast<long>(r));
    }
    DecodeResult decode() const { return DecodeImage(image, {model, profile, tones}, before); }
};

TEST(Decoder, BlankRadioAreaGivesNoChannelsAndBothSwitchesOn) {
    Fixture fx;
    const DecodeResult d = fx.decode();
    EXPECT_FALSE(d.subModelChanged);
    for (int c = 0; c < kChannelCount; ++c) {
        EXPECT_FALSE(d.inUse[c]);
        for (int f = 0; f < kFieldCount; ++f) {
            EXPECT_EQ(d.state.channels.value(c, static_cast<Field>(f)), EmptyValue);
            EXPECT_EQ(d.cellsEnglish[c][f], "");
        }
    }
    const auto& fn = d.state.functions;
    EXPECT_EQ(fn[FunctionSetting::SquelchLevel], -1);
    EXPECT_EQ(fn[FunctionSetting::MonitorKey], -1);
    EXPECT_EQ(fn[FunctionSetting::TimeOutTimer], -1);
    EXPECT_EQ(fn[FunctionSetting::BeepTone], 0);
    EXPECT_EQ(fn[FunctionSetting::BatterySave], 0);
    EXPECT_EQ(fn[FunctionSetting::WideNarrow], 1) << "no channel in use keeps wide/narrow";
}

TEST(Decoder, ChannelRecordGivesFrequenciesTonesAndSwitches) {
    Fixture fx;
    fx.putChannel(3, 0xFA);
    const std::size_t r = ChannelRecordOffset(3);
    // Transmit 462.5625, decode 71.9, encode inverted DQT 023 (raised by 30 in the image).
    const std::uint8_t fields[] = {0x50, 0x62, 0x25, 0x46, 0x19, 0x07, 0x23, 0xC0};
    std::copy(std::begin(fields), std::end(fields), fx.image.begin() + static_cast<long>(r + 4));
    const DecodeResult d = fx.decode();
    const auto& ch = d.state.channels;
    EXPECT_TRUE(d.inUse[3]);
    EXPECT_EQ(ch.value(3, Field::RxFrequency), 446.00625);
    EXPECT_EQ(ch.value(3, Field::TxFrequency), 462.5625);
    EXPECT_EQ(ch.value(3, Field::TxTone), 160);
    EXPECT_EQ(ch.value(3, Field::RxTone), 2);
    EXPECT_EQ(ch.value(3, Field::BusyLockout), 1);
    EXPECT_EQ(ch.value(3, Field::Shift), 0);
    EXPECT_EQ(d.state.functions[FunctionSetting::WideNarrow], 0);
    EXPECT_EQ(d.cellsEnglish[3], (std::array<std::string, kFieldCount>{
                                     "446.00625", "462.56250", "71.9", "D023I", "Yes", "No"}));
    EXPECT_EQ(d.cellsChinese[3][4], "是");
    EXPECT_EQ(d.cellsChinese[3][5], "否");
    EXPECT_EQ(d.convertedImage[r + 11], 90) << "the image is converted in place";
}

TEST(Decoder, BlankTonesDependOnTheTransmitFrequency) {
    Fixture fx;
    fx.putChannel(0);
    fx.putChannel(1);
    fx.image[ChannelRecordOffset(1) + 7] = 0x44;  // channel 1 has a transmit frequency
    fx.image[ChannelRecordOffset(2) + 13] = 0x01; // only one in-use mark: not in use
    fx.before.channels.setValue(0, Field::TxTone, 7);
    const DecodeResult d = fx.decode();
    EXPECT_EQ(d.state.channels.value(0, Field::TxFrequency), EmptyValue);
    EXPECT_EQ(d.state.channels.value(0, Field::TxTone), EmptyValue);
    EXPECT_EQ(d.cellsEnglish[0][3], "");
    EXPECT_EQ(d.state.channels.value(0, Field::RxTone), 0);
    EXPECT_EQ(d.cellsEnglish[0][2], "None");
    EXPECT_EQ(d.state.channels.value(1, Field::TxTone), 0);
    EXPECT_EQ(d.cellsChinese[1][3], "无");
    EXPECT_FALSE(d.inUse[2]);
}

TEST(Decoder, UnknownToneCodeEmptiesTheCellAndKeepsTheField) {
    Fixture fx;
    fx.putChannel(0);
    fx.image[ChannelRecordOffset(0) + 9] = 0x12;
    fx.image[ChannelRecordOffset(0) + 8] = 0x34;
    fx.before.channels.setValue(0, Field::RxTone, 9);
    fx.before.channels.setValue(0, Field::Reserved6, 5);
    const DecodeResult d = fx.decode();
    EXPECT_EQ(d.cellsEnglish[0][2], "");
    EXPECT_EQ(d.state.channels.value(0, Field::RxTone), 9);
    EXPECT_EQ(d.state.channels.value(0, Field::Reserved6), 5);
}

TEST(Decoder, FunctionBytesFollowTheModel) {
    struct Case {
        int model;
        std::uint8_t squelch, monitor, timeOut;
        int sql, moni, timeOutPosition;
        std::uint8_t squelchAfter;
    };
    const Case cases[] = {
        {7100, 5, 2, 10, 4, 0, 10, 4},  {7100, 0, 0, 11, -1, 1, -1, 0},
        {7200, 0, 2, 0, 0, 2, 0, 0},    {7200, 10, 4, 3, -1, -1, 3, 10},
        {7400, 9, 3, 255, 9, 3, -1, 9},
    };
    for (const Case& c : cases) {
        Fixture fx;
        fx.model = c.model;
        fx.image[kSquelchOffset] = c.squelch;
        fx.image[kMonitorKeyOffset] = c.monitor;
        fx.image[kTimeOutOffset] = c.timeOut;
        const DecodeResult d = fx.decode();
        SCOPED_TRACE(testing::Message() << c.model << " squelch " << int(c.squelch));
        EXPECT_EQ(d.state.functions[FunctionSetting::SquelchLevel], c.sql);
        EXPECT_EQ(d.state.functions[FunctionSetting::MonitorKey], c.moni);
        EXPECT_EQ(d.state.functions[FunctionSetting::TimeOutTimer], c.timeOutPosition);
        EXPECT_EQ(d.convertedImage[kSquelchOffset], c.squelchAfter);
    }
}

TEST(Decoder, BeepAndBatterySaveByte) {
    const std::pair<std::uint8_t, std::pair<int, int>> cases[] = {
        {0xFC, {1, 1}}, {0xFD, {0, 1}}, {0xFE, {1, 0}}, {0xFF, {0, 0}}, {0x00, {-1, -1}}};
    for (const auto& [byte, expected] : cases) {
        Fixture fx;
        fx.image[kBeepAndSaveOffset] = byte;
        const DecodeResult d = fx.decode();
        EXPECT_EQ(d.state.functions[FunctionSetting::BeepTone], expected.first) << int(byte);
        EXPECT_EQ(d.state.functions[FunctionSetting::BatterySave], expected.second) << int(byte);
    }
}

TEST(Decoder, CorruptOptionByteRepeatsThePreviousChannel) {
    Fixture fx;
    fx.putChannel(0, 0x00); // nothing before it: off, off, wide
    fx.putChannel(1, 0xFC); // narrow, both on
    fx.putChannel(2, 0x17);
    const DecodeResult d = fx.decode();
    const auto& ch = d.state.channels;
    EXPECT_EQ(ch.value(0, Field::BusyLockout), 0);
    EXPECT_EQ(ch.value(0, Field::Shift), 0);
    EXPECT_EQ(ch.value(2, Field::BusyLockout), 1);
    EXPECT_EQ(ch.value(2, Field::Shift), 1);
    EXPECT_EQ(d.state.functions[FunctionSetting::WideNarrow], 1);
}

TEST(Decoder, AnotherSubModelResetsTheCodePlugFirst) {
    Fixture fx;
    fx.before.functions[FunctionSetting::SquelchLevel] = 2;
    fx.before.channels.setValue(5, Field::RxFrequency, 150.0);
    fx.before.channels.setValue(0, Field::Reserved6, 5);
    fx.putChannel(0);
    fx.image[kSquelchOffset] = 0xEE; // leaves squelch without selection
    fx.image[kBandCodeOffset] = 12;  // sub-model 0, the start state holds 1

    DecodeResult d = fx.decode();
    EXPECT_TRUE(d.subModelChanged);
    EXPECT_EQ(d.state.subModel, 0);
    EXPECT_EQ(d.state.channels.value(0, Field::Reserved6), EmptyValue);
    EXPECT_EQ(d.state.channels.value(5, Field::RxFrequency), EmptyValue);

    fx.image[kBandCodeOffset] = 13; // the sub-model in use keeps what the table holds
    d = fx.decode();
    EXPECT_FALSE(d.subModelChanged);
    EXPECT_EQ(d.state.channels.value(0, Field::Reserved6), 5);

    fx.image[kBandCodeOffset] = 99; // unknown band: the first sub-model, reset
    d = fx.decode();
    EXPECT_TRUE(d.subModelChanged);
    EXPECT_EQ(d.state.subModel, 0);
    EXPECT_EQ(d.state.channels.value(0, Field::Reserved6), EmptyValue);
}

} // namespace
} // namespace hx
