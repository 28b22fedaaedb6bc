#include "core/compare/ImageComparison.h"

#include "core/codeplug/FunctionChoices.h"
#include "core/image/ImageDecoder.h"
#include "core/texts/Texts.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace hx {
namespace {

std::string Word(Text text, Language language) {
    return std::string(TextOf(text).in(language));
}

std::string Hex(const MemoryImage& image, std::size_t begin, std::size_t end) {
    return HexBytes(std::span(image).subspan(begin, end - begin));
}

// A stretch of the image that the bytes-only report names as a whole.
struct Region {
    std::size_t begin;
    std::size_t end;
    std::string name;
};

constexpr std::size_t kChannelRecordSize = 16;
constexpr std::size_t kOptionByte = 12;
constexpr std::size_t kSubModelBytesEnd = kSubModelBytesOffset + 8;

class Comparison {
public:
    Comparison(const MemoryImage& first, const MemoryImage& second,
               const ComparisonContext& context, ImageRange range)
        : first_(first), second_(first), context_(context), range_(range) {
        // Outside the range both sides hold the first image's bytes, so decoding sees
        // only the differences the caller asked about.
        std::copy(second.begin() + static_cast<long>(range.begin),
                  second.begin() + static_cast<long>(range.end),
                  second_.begin() + static_cast<long>(range.begin));
        const DecoderContext decoding{context.modelCode, context.profile, context.tones};
        const auto start = StartState(context.profile);
        decodedFirst_ = DecodeImage(first_, decoding, start);
        decodedSecond_ = DecodeImage(second_, decoding, start);
        regions_ = BuildRegions();
    }

    std::vector<Difference> run() {
        compareSubModel();
        compareFunctions();
        for (int c = 0; c < kChannelCount; ++c)
            compareChannel(c);
        reportUnexplainedBytes();
        return std::move(differences_);
    }

private:
    std::string word(Text text) const { return Word(text, context_.language); }
    std::string orEmpty(std::string value) const {
        return value.empty() ? EmptyValueText(context_.language) : value;
    }
    void add(std::string subject, std::string first, std::string second) {
        differences_.push_back(
            {std::move(subject), orEmpty(std::move(first)), orEmpty(std::move(second))});
    }
    // Bytes a named difference accounts for; any other differing byte is still reported.
    void explain(std::size_t begin, std::size_t end) {
        std::fill(explained_.begin() + static_cast<long>(begin),
                  explained_.begin() + static_cast<long>(end), true);
    }
    void explain(std::size_t offset) { explain(offset, offset + 1); }
    bool unexplainedDifference(std::size_t i) const {
        return first_[i] != second_[i] && !explained_[i];
    }

    std::vector<Region> BuildRegions() const {
        std::vector<Region> regions;
        for (int c = 0; c < kChannelCount; ++c) {
            const std::size_t r = ChannelRecordOffset(c);
            regions.push_back({r, r + kChannelRecordSize,
                               FillText(TextOf(Text::ChannelBytes).in(context_.language),
                                        {std::to_string(c + 1)})});
        }
        regions.push_back({kChannelNumberListOffset, kChannelNumberListOffset + kChannelCount,
                           word(Text::ChannelListBytes)});
        regions.push_back({kBeepAndSaveOffset, kTimeOutOffset + 1, word(Text::FunctionBytes)});
        regions.push_back({kSubModelBytesOffset, kSubModelBytesEnd, word(Text::SubModelBytes)});
        return regions;
    }

    std::string subModelText(const MemoryImage& image) const {
        const int code = image[kBandCodeOffset];
        for (int s = 0; s < context_.profile.subModelCount; ++s)
            if (context_.profile.bandCode(s) == code)
                return context_.profile.subModelName(s);
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", code);
        return FillText(TextOf(Text::UnknownBandCode).in(context_.language), {hex});
    }

    void compareSubModel() {
        if (first_[kBandCodeOffset] == second_[kBandCodeOffset])
            return;
        add(word(Text::SubModelName), subModelText(first_), subModelText(second_));
        explain(kBandCodeOffset);
    }

    void compareFunctions() {
        const auto& a = decodedFirst_.state.functions;
        const auto& b = decodedSecond_.state.functions;
        for (int i = 0; i < kFunctionSettingCount; ++i) {
            const auto setting = static_cast<FunctionSetting>(i);
            if (a[setting] == b[setting])
                continue;
            const auto text = [&](int position) {
                return FunctionChoiceText(setting, position, context_.modelCode, context_.language);
            };
            add(FunctionSettingName(setting, context_.language), text(a[setting]),
                text(b[setting]));
            explainSetting(setting);
        }
    }
    void explainSetting(FunctionSetting setting) {
        switch (setting) {
        case FunctionSetting::BeepTone:
        case FunctionSetting::BatterySave:
            return explain(kBeepAndSaveOffset);
        case FunctionSetting::SquelchLevel:
            return explain(kSquelchOffset);
        case FunctionSetting::MonitorKey:
            return explain(kMonitorKeyOffset);
        case FunctionSetting::TimeOutTimer:
            return explain(kTimeOutOffset);
        case FunctionSetting::WideNarrow:
            for (int c = 0; c < kChannelCount; ++c)
                explain(ChannelRecordOffset(c) + kOptionByte);
            return;
        }
    }

    void compareChannel(int c) {
        const std::size_t r = ChannelRecordOffset(c);
        const auto channel = static_cast<std::size_t>(c);
        // A channel taken into or out of use changes its whole record and its place
        // in the channel list; its fields say all there is to say.
        if (decodedFirst_.inUse[channel] != decodedSecond_.inUse[channel]) {
            explain(r, r + kChannelRecordSize);
            explain(kChannelNumberListOffset + channel);
        }
        struct Shown {
            Field field;
            std::size_t firstByte, endByte; // within the record
        };
        constexpr Shown kShown[] = {{Field::RxFrequency, 0, 4},   {Field::TxFrequency, 4, 8},
                                    {Field::RxTone, 8, 10},       {Field::TxTone, 10, 12},
                                    {Field::BusyLockout, 12, 13}, {Field::Shift, 12, 13}};
        const auto& a = decodedFirst_.cells(context_.language)[channel];
        const auto& b = decodedSecond_.cells(context_.language)[channel];
        for (const Shown& shown : kShown) {
            const auto f = static_cast<std::size_t>(shown.field);
            if (a[f] == b[f])
                continue;
            const std::size_t begin = r + shown.firstByte;
            const std::size_t end = r + shown.endByte;
            std::string first = a[f];
            std::string second = b[f];
            // A tone whose code is not in the tone table shows as nothing: then both
            // sides show their codes, so that support sees what the radio really holds.
            const bool tone = shown.field == Field::RxTone || shown.field == Field::TxTone;
            if (tone && (Undecoded(first_, decodedFirst_, channel, begin, end, first) ||
                         Undecoded(second_, decodedSecond_, channel, begin, end, second))) {
                first = WithCode(first_, begin, end, first);
                second = WithCode(second_, begin, end, second);
            }
            add(FillText(TextOf(Text::ChannelField).in(context_.language),
                         {std::to_string(c + 1), ChannelFieldName(shown.field, context_.language)}),
                std::move(first), std::move(second));
            explain(begin, end);
        }
    }

    // A channel in use whose field shows nothing although its bytes are not blank.
    static bool Undecoded(const MemoryImage& image, const DecodeResult& decoded,
                          std::size_t channel, std::size_t begin, std::size_t end,
                          const std::string& shown) {
        return shown.empty() && decoded.inUse[channel] &&
               std::any_of(image.begin() + static_cast<long>(begin),
                           image.begin() + static_cast<long>(end),
                           [](std::uint8_t b) { return b != 0xFF; });
    }
    // "103.5 (0x1035)", or "code 0x2F7F, not in the tone table" for a tone shown as
    // nothing. The code is the field's bytes, most significant first.
    std::string WithCode(const MemoryImage& image, std::size_t begin, std::size_t end,
                         const std::string& shown) const {
        std::string code = "0x";
        char hex[3];
        for (std::size_t i = end; i > begin; --i) {
            std::snprintf(hex, sizeof hex, "%02X", image[i - 1]);
            code += hex;
        }
        const Language l = context_.language;
        if (!shown.empty())
            return FillText(TextOf(Text::ValueWithCode).in(l), {shown, code});
        return FillText(TextOf(Text::CodeNotATone).in(l), {code});
    }

    void reportUnexplainedBytes() {
        std::vector<bool> covered(kImageSize, false);
        for (const auto& region : regions_) {
            std::fill(covered.begin() + static_cast<long>(region.begin),
                      covered.begin() + static_cast<long>(region.end), true);
            reportSpan(region.begin, region.end, region.name);
        }
        // Bytes outside every named region, one run of neighbouring differences at a time.
        for (std::size_t i = range_.begin; i < range_.end;) {
            if (covered[i] || !unexplainedDifference(i)) {
                ++i;
                continue;
            }
            std::size_t end = i + 1;
            while (end < range_.end && !covered[end] && unexplainedDifference(end))
                ++end;
            char address[16];
            std::snprintf(address, sizeof address, "0x%04zX", i - kHeaderSize);
            add(FillText(TextOf(Text::RadioAddressBytes).in(context_.language), {address}),
                Hex(first_, i, end), Hex(second_, i, end));
            i = end;
        }
    }
    // The stretch of a region from its first to its last unexplained differing byte.
    void reportSpan(std::size_t begin, std::size_t end, const std::string& name) {
        std::optional<std::size_t> low, high;
        for (std::size_t i = std::max(begin, range_.begin); i < std::min(end, range_.end); ++i) {
            if (!unexplainedDifference(i))
                continue;
            low = low.value_or(i);
            high = i;
        }
        if (low)
            add(name, Hex(first_, *low, *high + 1), Hex(second_, *low, *high + 1));
    }

    const MemoryImage& first_;
    MemoryImage second_;
    const ComparisonContext& context_;
    ImageRange range_;
    DecodeResult decodedFirst_;
    DecodeResult decodedSecond_;
    std::vector<Region> regions_;
    std::vector<Difference> differences_;
    std::vector<bool> explained_ = std::vector<bool>(kImageSize, false);
};

} // namespace

std::vector<Difference> CompareImages(const MemoryImage& first, const MemoryImage& second,
                                      const ComparisonContext& context, ImageRange range) {
    return Comparison(first, second, context, range).run();
}

std::vector<Difference> CompareFileHeaders(const MemoryImage& first, const MemoryImage& second,
                                           Language language) {
    std::vector<Difference> differences;
    for (std::size_t i = 0; i < kHeaderSize;) {
        if (first[i] == second[i]) {
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        while (end < kHeaderSize && first[end] != second[end])
            ++end;
        const std::string subject =
            end == i + 1 ? FillText(TextOf(Text::FileHeaderByte).in(language), {std::to_string(i)})
                         : FillText(TextOf(Text::FileHeaderBytes).in(language),
                                    {std::to_string(i), std::to_string(end - 1)});
        differences.push_back({subject, Hex(first, i, end), Hex(second, i, end)});
        i = end;
    }
    return differences;
}

std::string EmptyValueText(Language language) {
    return Word(Text::EmptyValueWord, language);
}

std::string DescribeChange(const Difference& difference, Language language) {
    return FillText(TextOf(Text::ChangeLine).in(language),
                    {difference.subject, difference.first, difference.second});
}

std::string DescribeFileHeaderChange(const Difference& difference, Language language) {
    return FillText(TextOf(Text::FileHeaderChangeLine).in(language),
                    {difference.subject, difference.first, difference.second});
}

std::string DescribeVerifyMismatch(const Difference& difference, Language language) {
    return FillText(TextOf(Text::VerifyMismatchLine).in(language),
                    {difference.subject, difference.first, difference.second});
}

} // namespace hx
