#include "core/production/BandGuard.h"

#include "core/texts/Texts.h"

namespace hx {

SubModelByteRow SubModelBytesOf(const MemoryImage& image) {
    SubModelByteRow bytes;
    for (std::size_t k = 0; k < bytes.size(); ++k)
        bytes[k] = image[kSubModelBytesOffset + k];
    return bytes;
}

std::optional<int> SubModelOfBand(int bandCode, const ModelProfile& profile) {
    for (int s = 0; s < profile.subModelCount; ++s)
        if (profile.bandCode(s) == bandCode)
            return s;
    return std::nullopt;
}

std::string DescribeBand(int bandCode, const ModelProfile& profile, Language language) {
    const auto s = SubModelOfBand(bandCode, profile);
    if (!s || static_cast<std::size_t>(*s) >= profile.bandTexts.size())
        return FillText(TextOf(Text::UnknownBand).in(language), {std::to_string(bandCode)});
    return profile.bandTexts[static_cast<std::size_t>(*s)] + " (" + profile.subModelName(*s) + ")";
}

std::optional<GuardFinding> CheckRadioKind(const MemoryImage& radio, const MemoryImage& image,
                                           const ModelProfile& profile, Language language) {
    GuardFinding finding{SubModelBytesOf(radio),
                         SubModelBytesOf(image),
                         radio[kBandCodeOffset] != image[kBandCodeOffset],
                         {}};
    if (finding.radioBytes == finding.imageBytes)
        return std::nullopt;
    if (finding.bandDiffers)
        finding.message = FillText(TextOf(Text::BandsDiffer).in(language),
                                   {DescribeBand(radio[kBandCodeOffset], profile, language),
                                    DescribeBand(image[kBandCodeOffset], profile, language)});
    else
        finding.message = FillText(TextOf(Text::SubModelBytesDiffer).in(language),
                                   {HexBytes(finding.radioBytes), HexBytes(finding.imageBytes)});
    return finding;
}

} // namespace hx
