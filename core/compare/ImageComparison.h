#pragma once

#include "core/image/MemoryImage.h"
#include "core/model/ModelProfile.h"
#include "core/model/ToneTable.h"
#include "core/texts/Language.h"

#include <cstddef>
#include <string>
#include <vector>

namespace hx {

// One thing two images hold differently, named as a dealer reads it. `subject` is
// "channel 3 receive frequency", "squelch level", "sub-model", "sub-model bytes" ...;
// `first` and `second` are the values as the window shows them ("450.12500",
// "D023N", "5"), or the bytes in hex where no field explains them. An empty value
// reads as `EmptyValueText`.
struct Difference {
    std::string subject;
    std::string first;
    std::string second;
    bool operator==(const Difference&) const = default;
};

// The image offsets a comparison covers, end excluded.
struct ImageRange {
    std::size_t begin;
    std::size_t end;
};
// What a write sends: the 123 blocks from radio address 0.
inline constexpr ImageRange kWrittenRange{kHeaderSize, kHeaderSize + 123 * 8};
// The radio's whole memory as a data file keeps it.
inline constexpr ImageRange kRadioRange{kHeaderSize, kImageSize};

struct ComparisonContext {
    int modelCode;
    const ModelProfile& profile;
    const ToneTable& tones;
    Language language;
};

// Every difference between two images within `range`, named by field in the order
// the window shows them (sub-model, function settings, channels 1-16), then the
// bytes no field explains, by region. Equal images give an empty list.
std::vector<Difference> CompareImages(const MemoryImage& first, const MemoryImage& second,
                                      const ComparisonContext& context,
                                      ImageRange range = kRadioRange);

// The bytes of the file header (offsets 0 to 49, kept only in files and never sent to a
// radio) that differ, a run of neighbouring bytes at a time: "file header byte 7" or
// "file header bytes 6-9", the bytes in hex.
std::vector<Difference> CompareFileHeaders(const MemoryImage& first, const MemoryImage& second,
                                           Language language);

// The word shown for a value that is not set: "(empty)".
std::string EmptyValueText(Language language);

// "channel 3 receive frequency 450.12500 → 450.25000"
std::string DescribeChange(const Difference& difference, Language language);
// "file header byte 7: 30 → 31"
std::string DescribeFileHeaderChange(const Difference& difference, Language language);
// "channel 3 receive frequency: sent 450.12500, radio holds 450.25000"
std::string DescribeVerifyMismatch(const Difference& difference, Language language);

} // namespace hx
