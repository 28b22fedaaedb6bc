#include "core/compare/ImageComparison.h"
#include "core/image/DataFile.h"
#include "programs/hxtool/Commands.h"
#include "programs/hxtool/ModelSession.h"

#include <nlohmann/json.hpp>
#include <ostream>

namespace hxtool {

// Like diff(1): 0 equal, 1 different, 2 when the files could not be compared.
int RunDiff(const Invocation& invocation) {
    constexpr int kCannotCompare = 2;
    const auto prepared =
        PrepareCommand(invocation, {.json = true, .files = 2, .language = true}, "diff");
    if (std::holds_alternative<int>(prepared))
        return kCannotCompare;
    const auto& [options, session] = std::get<PreparedCommand>(prepared);
    hx::MemoryImage images[2];
    for (int i = 0; i < 2; ++i) {
        auto read = hx::ReadCheckedDataFile(options.files[static_cast<std::size_t>(i)]);
        if (const auto* error = std::get_if<hx::DataFileError>(&read)) {
            invocation.err << "hxtool diff: " << error->message << "\n";
            return kCannotCompare;
        }
        images[i] = std::get<hx::MemoryImage>(read);
    }
    const auto language = options.language.value_or(hx::Language::English);
    const auto& model = session.model;
    // What a radio would hold first, then the header only the files keep.
    const auto differences = hx::CompareImages(
        images[0], images[1], {model.modelCode, model.profile, model.tones, language});
    const auto headers = hx::CompareFileHeaders(images[0], images[1], language);
    const bool equal = differences.empty() && headers.empty();
    if (options.json) {
        auto list = nlohmann::ordered_json::array();
        for (const auto* group : {&differences, &headers})
            for (const auto& d : *group)
                list.push_back({{"what", d.subject}, {"first", d.first}, {"second", d.second}});
        invocation.out << nlohmann::ordered_json{{"equal", equal}, {"differences", list}}.dump()
                       << "\n";
    } else {
        for (const auto& d : differences)
            invocation.out << hx::DescribeChange(d, language) << "\n";
        for (const auto& d : headers)
            invocation.out << hx::DescribeFileHeaderChange(d, language) << "\n";
    }
    return equal ? kExitSuccess : kExitFailure;
}

} // namespace hxtool
