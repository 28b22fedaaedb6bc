#include "programs/hxsim/Options.h"

#include <charconv>
#include <cstdlib>
#include <string_view>

namespace hxsim {

const char* const kUsage =
    "usage: hxsim [--tty PATH | --radios N] [--load FILE.dat] [--save FILE.dat]\n"
    "             [--memory FILE.dat] [--log FILE] [--fast] [--faulty K]\n"
    "             [--no-lead-answer] [--wrong-lead-answer] [--short-identity]\n"
    "             [--no-ack-from N] [--short-reply-at N] [--ack-reply-at N] [--hang-up-at N]\n"
    "             [--hang-up-before N] [--corrupt ADDR[:VALUE]]\n"
    "             [--latency MS[:MAX]] [--spikes PERCENT:MS] [--restart-after-write]\n"
    "             [--deaf-after-write MS]\n"
    "Opens a pseudo-terminal and prints its device on the first line (or serves --tty),\n"
    "then answers as a radio. --save writes the memory as a data file once the line\n"
    "has been quiet for 200 ms after a write, and when hxsim ends; --memory reads the\n"
    "memory from its file when the file exists and saves it there as --save does;\n"
    "--log writes every frame received in hex, one per line. Answers go out at 9600\n"
    "baud line speed unless --fast.\n"
    "--radios N opens N pseudo-terminals, prints one device per line and serves each as\n"
    "a radio of its own; \"%n\" in a file name stands for the radio's number 1..N, and\n"
    "--save, --memory and --log need it when N > 1. The faults apply to every radio,\n"
    "or only to radio K with --faulty K. --corrupt acknowledges the write of radio\n"
    "address ADDR (decimal or 0x hex) but stores VALUE, or the byte sent with its\n"
    "lowest bit flipped.\n"
    "--latency delays every answer by MS, or by a random time from MS to MAX; --spikes\n"
    "delays PERCENT of the answers by MS instead. --restart-after-write leaves\n"
    "programming mode once the last block of a write is acknowledged, as a radio that\n"
    "restarts; --deaf-after-write does so and then ignores the line for MS.\n";

namespace {

// A decimal number or one in hex after "0x"; none unless the whole text is one.
std::optional<unsigned> Number(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<CorruptByte> ParseCorrupt(std::string_view text) {
    const auto colon = text.find(':');
    const auto address = Number(text.substr(0, colon));
    if (!address || *address >= kRadioMemorySize)
        return std::nullopt;
    CorruptByte corrupt{*address, std::nullopt};
    if (colon != std::string_view::npos) {
        const auto value = Number(text.substr(colon + 1));
        if (!value || *value > 0xFF)
            return std::nullopt;
        corrupt.value = static_cast<std::uint8_t>(*value);
    }
    return corrupt;
}

// "MS" or "MS:MAX" with MS <= MAX.
bool ParseLatency(std::string_view text, Latency& latency) {
    const auto colon = text.find(':');
    const auto least = Number(text.substr(0, colon));
    const auto most = colon == std::string_view::npos ? least : Number(text.substr(colon + 1));
    if (!least || !most || *least > *most || *most > 60000)
        return false;
    latency.least = static_cast<int>(*least);
    latency.most = static_cast<int>(*most);
    return true;
}

// "PERCENT:MS", the percentage a decimal number from 0 to 100.
bool ParseSpikes(std::string_view text, Latency& latency) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos)
        return false;
    const std::string percent(text.substr(0, colon));
    char* end = nullptr;
    const double share = std::strtod(percent.c_str(), &end);
    const auto ms = Number(text.substr(colon + 1));
    if (percent.empty() || *end != '\0' || !(share >= 0 && share <= 100) || !ms || *ms > 60000)
        return false;
    latency.spikePercent = share;
    latency.spike = static_cast<int>(*ms);
    return true;
}

// Two radios writing one file would overwrite each other's memory or frames.
bool OwnFileEach(const Options& o) {
    const auto own = [](const std::string& path) {
        return path.empty() || path.find("%n") != std::string::npos;
    };
    return o.radios == 1 || (own(o.save) && own(o.memory) && own(o.log));
}

} // namespace

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        const auto number = [&](int& target) {
            const char* v = value();
            if (v)
                target = std::atoi(v);
            return v != nullptr;
        };
        const auto text = [&](std::string& target) {
            const char* v = value();
            if (v)
                target = v;
            return v != nullptr;
        };
        bool ok = true;
        if (a == "--tty")
            ok = text(o.tty);
        else if (a == "--load")
            ok = text(o.load);
        else if (a == "--save")
            ok = text(o.save);
        else if (a == "--memory")
            ok = text(o.memory);
        else if (a == "--log")
            ok = text(o.log);
        else if (a == "--fast")
            o.fast = true;
        else if (a == "--radios")
            ok = number(o.radios);
        else if (a == "--faulty")
            ok = number(o.faulty);
        else if (a == "--no-lead-answer")
            o.faults.silentToLeadCode = true;
        else if (a == "--wrong-lead-answer")
            o.faults.wrongLeadCodeAnswer = true;
        else if (a == "--short-identity")
            o.faults.shortIdentity = true;
        else if (a == "--no-ack-from")
            ok = number(o.faults.noAckFromBlock);
        else if (a == "--short-reply-at")
            ok = number(o.faults.shortReplyAtBlock);
        else if (a == "--ack-reply-at")
            ok = number(o.faults.ackReplyAtBlock);
        else if (a == "--hang-up-at")
            ok = number(o.faults.hangUpAtBlock);
        else if (a == "--hang-up-before")
            ok = number(o.faults.hangUpBeforeBlock);
        else if (a == "--corrupt") {
            const char* v = value();
            o.faults.corrupt = v ? ParseCorrupt(v) : std::nullopt;
            ok = o.faults.corrupt.has_value();
        } else if (a == "--latency") {
            const char* v = value();
            ok = v && ParseLatency(v, o.latency);
        } else if (a == "--spikes") {
            const char* v = value();
            ok = v && ParseSpikes(v, o.latency);
        } else if (a == "--restart-after-write")
            o.faults.restartAfterWrite = true;
        else if (a == "--deaf-after-write") {
            ok = number(o.deafAfterWrite) && o.deafAfterWrite >= 0;
            o.faults.restartAfterWrite = true;
        } else
            ok = false;
        if (!ok)
            return std::nullopt;
    }
    const bool consistent = o.radios >= 1 && o.faulty >= 0 && o.faulty <= o.radios &&
                            (o.tty.empty() || o.radios == 1) &&
                            (o.memory.empty() || (o.load.empty() && o.save.empty()));
    if (!consistent || !OwnFileEach(o))
        return std::nullopt;
    return o;
}

std::string ForRadio(std::string path, int number) {
    for (auto at = path.find("%n"); at != std::string::npos; at = path.find("%n", at))
        path.replace(at, 2, std::to_string(number));
    return path;
}

} // namespace hxsim
