#include "programs/hxtool/Options.h"

#include "core/model/ModelFiles.h"

#include <charconv>
#include <system_error>

namespace hxtool {
namespace {

// The whole number of milliseconds an option gives, from `least` to a minute.
std::variant<int, UsageError> Milliseconds(const std::string& option, const std::string& value,
                                           int least) {
    constexpr int kMost = 60000;
    int ms = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), ms);
    if (error != std::errc{} || end != value.data() + value.size() || ms < least || ms > kMost)
        return UsageError{option + " must be a whole number of milliseconds from " +
                          std::to_string(least) + " to " + std::to_string(kMost) + ", not '" +
                          value + "'"};
    return ms;
}

} // namespace

std::variant<Options, UsageError> ParseOptions(const std::vector<std::string>& args,
                                               const OptionSet& accepted) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        const bool takesValue =
            word == "--model" || word == "--settings" || (accepted.output && word == "-o") ||
            (accepted.port && (word == "--port" || word == "--patience")) ||
            (accepted.proof && word == "--settle") || (accepted.language && word == "--lang") ||
            (accepted.trace && word == "--trace") ||
            (accepted.separator && word == "--separator") ||
            (accepted.format && word == "--format") || (accepted.proof && word == "--backup") ||
            (accepted.clone && (word == "--count" || word == "--log"));
        if (takesValue && i + 1 == args.size())
            return UsageError{word + " needs a value"};
        if (word == "--model") {
            const std::string& value = args[++i];
            const int code = std::atoi(value.c_str());
            if (!hx::IsKnownModelCode(code) || std::to_string(code) != value)
                return UsageError{"--model must be 7100, 7200 or 7400, not '" + value + "'"};
            options.model = code;
        } else if (word == "--settings") {
            options.settings = args[++i];
        } else if (takesValue && word == "-o") {
            options.output = args[++i];
        } else if (takesValue && word == "--port") {
            options.port = args[++i];
            options.ports.push_back(*options.port);
        } else if (takesValue && (word == "--patience" || word == "--settle")) {
            const bool patience = word == "--patience";
            const auto ms = Milliseconds(word, args[++i], patience ? 50 : 0);
            if (const auto* usage = std::get_if<UsageError>(&ms))
                return *usage;
            (patience ? options.patience : options.settle) = std::get<int>(ms);
        } else if (takesValue && word == "--trace") {
            options.trace = args[++i];
        } else if (takesValue && word == "--lang") {
            const std::string& value = args[++i];
            if (value != "en" && value != "zh")
                return UsageError{"--lang must be en or zh, not '" + value + "'"};
            options.language = value == "en" ? hx::Language::English : hx::Language::Chinese;
        } else if (takesValue && word == "--separator") {
            const std::string& value = args[++i];
            const std::pair<const char*, hx::Separator> names[] = {
                {"comma", hx::Separator::Comma},
                {"semicolon", hx::Separator::Semicolon},
                {"tab", hx::Separator::Tab}};
            for (const auto& [name, separator] : names)
                if (value == name)
                    options.separator = separator;
            if (!options.separator)
                return UsageError{"--separator must be comma, semicolon or tab, not '" + value +
                                  "'"};
        } else if (takesValue && word == "--format") {
            const std::string& value = args[++i];
            if (value != "plan" && value != "chirp")
                return UsageError{"--format must be plan or chirp, not '" + value + "'"};
            options.chirp = value == "chirp";
        } else if (accepted.skipBad && word == "--skip-bad") {
            options.skipBad = true;
        } else if (accepted.json && word == "--json") {
            options.json = true;
        } else if (takesValue && word == "--backup") {
            options.backup = args[++i];
        } else if (takesValue && word == "--count") {
            const std::string& value = args[++i];
            int count = 0;
            const auto [end, error] =
                std::from_chars(value.data(), value.data() + value.size(), count);
            if (error != std::errc{} || end != value.data() + value.size() || count < 1)
                return UsageError{"--count must be a whole number from 1, not '" + value + "'"};
            options.count = count;
        } else if (takesValue && word == "--log") {
            options.log = args[++i];
        } else if (accepted.proof && (word == "--verify" || word == "--force")) {
            (word == "--verify" ? options.verify : options.force) = true;
        } else if (accepted.clone && word == "--no-wait") {
            options.noWait = true;
        } else if (!word.empty() && word[0] == '-') {
            return UsageError{"unknown option '" + word + "'"};
        } else {
            options.files.push_back(word);
        }
    }
    if (options.files.size() != accepted.files)
        return UsageError{accepted.files == 0 ? "expected no file"
                          : accepted.files == 1
                              ? "expected one file"
                              : "expected " + std::to_string(accepted.files) + " files"};
    if (accepted.output && !options.output)
        return UsageError{"-o FILE is required"};
    // Without a count, radios would be started one after another without end.
    if (options.noWait && !options.count)
        return UsageError{"--no-wait needs --count N"};
    if (accepted.port && accepted.portRequired && !options.port)
        return UsageError{"--port DEV is required"};
    return options;
}

std::optional<std::string> TargetIsAnInput(const Options& options, std::string_view option,
                                           const std::filesystem::path& target) {
    for (const std::filesystem::path input : options.files) {
        std::error_code error;
        if (std::filesystem::equivalent(input, target, error))
            return std::string(option) + " " + target.string() +
                   ": is the input file; name another";
    }
    return std::nullopt;
}

} // namespace hxtool
