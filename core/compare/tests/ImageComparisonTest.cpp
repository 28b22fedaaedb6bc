#include "core/compare/ImageComparison.h"

#include "core/image/ImageEncoder.h"
#include "core/model/ModelFiles.h"
#include "core/testsupport/ChannelRow.h"

#include <gtest/gtest.h>

namespace hx {

void PrintTo(const Difference& d, std::ostream* out) {
    *out << '{' << d.subject << " | " << d.first << " | " << d.second << '}';
}

namespace {

const std::filesystem::path kShippedSettings =
    std::filesystem::path(HX_SOURCE_DIR) / "data/Setting";

constexpr int kUhf = 1; // HX7200-U, 400-470 MHz

struct Hx7200 {
    ModelData data = LoadModelData(kShippedSettings, 7200);
    CodePlug plug;

    Hx7200() {
        plug.functions = data.profile.functionDefaults;
        plug.functions[FunctionSetting::WideNarrow] = 0;
        plug.functions[FunctionSetting::SquelchLevel] = 5;
        for (int c = 0; c < 4; ++c)
            SetChannel(plug.channels, c, {450.0125 + c * 0.025, 455.0125, 1, 0, 0, 0});
    }
    MemoryImage encode(const CodePlug& p, int subModel = kUhf) const {
        return EncodeImage(
            {p.channels, p.functions, subModel, data.modelCode, data.profile, data.tones});
    }
    std::vector<Difference> compare(const MemoryImage& a, const MemoryImage& b,
                                    Language language = Language::English,
                                    ImageRange range = kRadioRange) const {
        return CompareImages(a, b, {data.modelCode, data.profile, data.tones, language}, range);
    }
};

// Each field a dealer edits is named with both values as the window shows them, and
// only that field: the record bytes it lives in are not reported a second time.
TEST(ImageComparison, EachChannelFieldIsNamedWithItsValues) {
    const Hx7200 model;
    const MemoryImage before = model.encode(model.plug);
    struct Case {
        Field field;
        double value;
        Difference expected;
    };
    const Case cases[] = {
        {Field::RxFrequency, 450.25, {"channel 3 receive frequency", "450.06250", "450.25000"}},
        {Field::TxFrequency, 455.5, {"channel 3 transmit frequency", "455.01250", "455.50000"}},
        {Field::RxTone, 0, {"channel 3 decode tone", "67.0", "None"}},
        {Field::TxTone, 2, {"channel 3 encode tone", "None", "71.9"}},
        {Field::BusyLockout, 1, {"channel 3 busy channel lockout", "No", "Yes"}},
        {Field::Shift, 1, {"channel 3 shift", "No", "Yes"}},
    };
    for (const auto& c : cases) {
        CodePlug changed = model.plug;
        changed.channels.setValue(2, c.field, c.value);
        EXPECT_EQ(model.compare(before, model.encode(changed)), std::vector<Difference>{c.expected})
            << c.expected.subject;
    }
}

TEST(ImageComparison, FunctionSettingsAndSubModelAreNamed) {
    const Hx7200 model;
    CodePlug changed = model.plug;
    changed.functions[FunctionSetting::SquelchLevel] = 6;
    changed.functions[FunctionSetting::TimeOutTimer] = 0;
    changed.functions[FunctionSetting::BeepTone] = 1;
    const auto differences = model.compare(model.encode(model.plug), model.encode(changed, 0));
    ASSERT_GE(differences.size(), 4u) << testing::PrintToString(differences);
    EXPECT_EQ(differences[0], (Difference{"sub-model", "HX7200-U", "HX7200-V"}));
    const auto named = [&](const std::string& subject) {
        return std::find_if(differences.begin(), differences.end(),
                            [&](const Difference& d) { return d.subject == subject; });
    };
    EXPECT_NE(named("squelch level"), differences.end());
    EXPECT_EQ(named("squelch level")->second, "6");
    EXPECT_EQ(named("time-out timer")->second, "OFF");
    EXPECT_EQ(named("beep tone")->second, "OFF");
}

// What no field explains is still reported, by region or by radio address, so a
// silently corrupted byte can never compare equal.
TEST(ImageComparison, BytesNoFieldExplainsAreReportedWhereTheyLie) {
    const Hx7200 model;
    const MemoryImage sent = model.encode(model.plug);
    MemoryImage held = sent;
    held[ChannelRecordOffset(0) + 15] ^= 0x01;      // a spare byte of channel 1
    held[ImageOffsetOfRadioAddress(0x300)] ^= 0x80; // nothing lives here
    held[ImageOffsetOfRadioAddress(0x301)] ^= 0x80; // ... nor here
    held[kSubModelBytesOffset] ^= 0x04;             // not the band code
    const auto differences = model.compare(sent, held);
    ASSERT_EQ(differences.size(), 3u);
    EXPECT_EQ(differences[0].subject, "channel 1 bytes");
    EXPECT_EQ(differences[1].subject, "sub-model bytes");
    EXPECT_EQ(differences[2].subject, "bytes at radio address 0x0300");
    EXPECT_EQ(differences[2].first.size(), std::string("FF FF").size());
}

// A named field accounts for its own bytes only: a corrupted byte beside it in the
// same record, or in the same block of settings, is still reported.
TEST(ImageComparison, ANamedFieldHidesNoOtherByteOfItsRecord) {
    const Hx7200 model;
    CodePlug changed = model.plug;
    changed.channels.setValue(2, Field::RxFrequency, 450.25);
    changed.functions[FunctionSetting::SquelchLevel] = 6;
    MemoryImage held = model.encode(changed);
    held[ChannelRecordOffset(2) + 14] ^= 0x01;
    held[kMonitorKeyOffset] = 0x09; // beside the squelch byte; shows as no selection
    const auto differences = model.compare(model.encode(model.plug), held);
    std::vector<std::string> subjects;
    for (const auto& d : differences)
        subjects.push_back(d.subject);
    EXPECT_EQ(subjects,
              (std::vector<std::string>{"monitor key", "squelch level",
                                        "channel 3 receive frequency", "channel 3 bytes"}));
}

// A field whose bytes decode to nothing shows its code on both sides rather than
// "(empty)"; a blank field of a channel in use is still plainly empty.
TEST(ImageComparison, AFieldThatDecodesToNothingShowsItsCode) {
    const Hx7200 model;
    CodePlug plug = model.plug;
    plug.channels.setValue(1, Field::RxTone, *model.data.tones.positionOfCode("1035"));
    const MemoryImage sent = model.encode(plug);
    MemoryImage held = sent;
    held[ChannelRecordOffset(1) + 9] = 0x2F;
    held[ChannelRecordOffset(1) + 8] = 0x7F;
    const auto differences = model.compare(sent, held);
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_EQ(DescribeVerifyMismatch(differences[0], Language::English),
              "channel 2 decode tone: sent 103.5 (0x1035), radio holds code 0x2F7F, not in the "
              "tone table");
    EXPECT_EQ(model.compare(held, sent, Language::Chinese)[0].first, "代码 0x2F7F，不在亚音表中");

    plug.channels.setValue(3, Field::TxFrequency, EmptyValue);
    EXPECT_EQ(model.compare(model.encode(model.plug), model.encode(plug))[1].second, "(empty)");
}

TEST(ImageComparison, OnlyTheGivenRangeIsCompared) {
    const Hx7200 model;
    const MemoryImage sent = model.encode(model.plug);
    MemoryImage held = sent;
    held[kWrittenRange.end] ^= 0xFF; // read back, but never written
    EXPECT_TRUE(model.compare(sent, held, Language::English, kWrittenRange).empty());
    EXPECT_EQ(model.compare(sent, held).size(), 1u);
}

} // namespace
} // namespace hx
