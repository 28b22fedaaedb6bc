#pragma once

#include "core/exchange/CsvSyntax.h"
#include "core/texts/Language.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace hxtool {

// The options every sub-command shares; each command says which it accepts.
struct Options {
    std::vector<std::string> files; // the words that are not options
    std::optional<int> model;
    std::optional<std::filesystem::path> settings;
    std::optional<std::filesystem::path> output;
    std::optional<std::string> port;
    std::optional<std::filesystem::path> trace;
    std::vector<std::string> ports; // every --port in order, for a command that takes several
    std::optional<hx::Language> language;
    bool json = false;
    std::optional<hx::Separator> separator;
    bool chirp = false; // --format chirp: CHIRP's CSV rather than this program's plan
    bool skipBad = false;
    bool verify = false;
    bool force = false;
    std::optional<std::filesystem::path> backup;
    std::optional<int> count;
    std::optional<std::filesystem::path> log;
    bool noWait = false;
    std::optional<int> patience; // ms per answer; none: the settings' value
    std::optional<int> settle;   // ms after a write before the read-back
};

struct OptionSet {
    bool output = false;
    bool port = false; // --port, and --patience MS with it
    bool json = false;
    std::size_t files = 1;
    bool language = false;    // --lang en|zh
    bool portRequired = true; // with `port`: --port must be given
    bool trace = false;       // --trace FILE
    bool separator = false;   // --separator comma|semicolon|tab
    bool format = false;      // --format plan|chirp
    bool skipBad = false;     // --skip-bad
    bool proof = false;       // --verify, --backup DIR, --force, --settle MS
    bool clone = false;       // --count N, --log FILE, --no-wait
};

// A usage error, ready to print.
struct UsageError {
    std::string message;
};

std::variant<Options, UsageError> ParseOptions(const std::vector<std::string>& args,
                                               const OptionSet& accepted);

// "-o FILE: is the input file; name another" when `target`, given after `option`, is one
// of the command's input files, also through a link of either kind: writing it would
// destroy what the command reads.
std::optional<std::string> TargetIsAnInput(const Options& options, std::string_view option,
                                           const std::filesystem::path& target);

} // namespace hxtool
