// hxsim: radios on pseudo-terminals, for trying the programmer without a radio.
#include "core/image/DataFile.h"
#include "programs/hxsim/Options.h"
#include "programs/hxsim/RadioLine.h"

#include <csignal>
#include <filesystem>
#include <iostream>
#include <thread>
#include <vector>

namespace {

std::atomic<bool> stopRequested = false;

// Radio `number`'s memory at the start: its --load or --memory file, else blank.
std::optional<hxsim::RadioMemory> StartMemory(const hxsim::Options& options, int number) {
    hxsim::RadioMemory memory;
    memory.fill(0xFF);
    std::string path = hxsim::ForRadio(options.load, number);
    if (const auto own = hxsim::ForRadio(options.memory, number);
        !own.empty() && std::filesystem::exists(own))
        path = own;
    if (path.empty())
        return memory;
    const auto image = hx::ReadDataFile(path);
    if (const auto* error = std::get_if<hx::DataFileError>(&image)) {
        std::cerr << "hxsim: " << error->message << "\n";
        return std::nullopt;
    }
    const auto& bytes = std::get<hx::MemoryImage>(image);
    std::copy(bytes.begin() + hx::kHeaderSize, bytes.end(), memory.begin());
    return memory;
}

} // namespace

int main(int argc, char** argv) {
    const auto options = hxsim::ParseOptions(argc, argv);
    if (!options) {
        std::cerr << hxsim::kUsage;
        return 2;
    }
    std::vector<hxsim::RadioSetup> setups;
    std::vector<hxsim::RadioLine> lines;
    for (int number = 1; number <= options->radios; ++number) {
        const auto memory = StartMemory(*options, number);
        auto line = options->tty.empty() ? hxsim::RadioLine::OpenPseudoTerminal()
                                         : hxsim::RadioLine::OpenDevice(options->tty);
        if (!memory || !line)
            return 1;
        const bool faulty = options->faulty == 0 || options->faulty == number;
        const std::string save = options->memory.empty() ? options->save : options->memory;
        setups.push_back({*memory, faulty ? options->faults : hxsim::Faults{},
                          hxsim::ForRadio(save, number), hxsim::ForRadio(options->log, number),
                          options->fast, faulty ? options->latency : hxsim::Latency{},
                          faulty ? options->deafAfterWrite : 0});
        lines.push_back(std::move(*line));
    }
    for (const auto& line : lines)
        std::cout << line.device() << "\n";
    std::cout << std::flush;

    std::signal(SIGTERM, [](int) { stopRequested = true; });
    std::signal(SIGINT, [](int) { stopRequested = true; });
    std::vector<std::thread> radios;
    for (std::size_t i = 0; i < lines.size(); ++i)
        radios.emplace_back(hxsim::Serve, std::move(lines[i]), std::cref(setups[i]),
                            std::cref(stopRequested));
    for (auto& radio : radios)
        radio.join();
    return 0;
}
