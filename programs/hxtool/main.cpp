#include "core/platform/Console.h"
#include "core/platform/Process.h"
#include "core/settings/AppFolder.h"
#include "programs/hxtool/Commands.h"

#include <filesystem>
#include <iostream>
#include <string_view>
#include <system_error>
#include <utility>

namespace {

constexpr std::string_view kUsage =
    "usage: hxtool decode FILE.dat [--model 7100|7200|7400] [--json] [--settings DIR]\n"
    "       hxtool encode FILE.json -o FILE.dat [--model ...] [--settings DIR]\n"
    "       hxtool read --port DEV -o FILE.dat [--trace FILE] [--model ...] [--settings DIR]\n"
    "       hxtool write FILE.dat --port DEV [--verify] [--backup DIR [--force]] [--trace FILE]\n"
    "             [--model ...] [--settings DIR]\n"
    "       hxtool clone MASTER.dat --port DEV [--port DEV ...] [--count N] [--no-wait]\n"
    "             [--verify] [--backup DIR [--force]] [--log FILE.csv] [--model ...]\n"
    "             [--settings DIR]\n"
    "       hxtool doctor [--port COMn|DEV] [--lang en|zh] [--settings DIR]\n"
    "       hxtool diff A.dat B.dat [--json] [--lang en|zh] [--model ...] [--settings DIR]\n"
    "       hxtool export FILE.dat -o PLAN.csv [--lang en|zh] [--format plan|chirp]\n"
    "                     [--separator comma|semicolon|tab] [--model ...] [--settings DIR]\n"
    "       hxtool import PLAN.csv -o FILE.dat [--skip-bad] [--lang en|zh] [--model ...]\n"
    "                     [--settings DIR]\n"
    "       hxtool card FILE.dat -o card.pdf [--lang en|zh] [--paper a4|letter] [--model ...]\n"
    "                   [--settings DIR]\n"
    "--trace FILE keeps every byte of the transfer, timed and named by step, in FILE\n"
    "(replacing it), also when the transfer fails. --verify reads the radio back after\n"
    "the write and names every difference. --backup reads the radio first, keeps it in\n"
    "DIR and refuses a radio of another band or sub-model unless --force. clone writes\n"
    "one master to radio after radio on each port at once: Enter starts every port that\n"
    "waits, --no-wait starts each radio at once; --count N radios per port; Ctrl+C\n"
    "finishes the radios in progress, a second Ctrl+C cuts them off; --log appends one\n"
    "CSV line per radio.\n";

std::filesystem::path ExecutableDir(const char* argv0) {
    auto self = hx::platform::ThisProgramFile();
    std::error_code error;
    if (self.empty())
        self = std::filesystem::absolute(argv0, error);
    return self.parent_path();
}

} // namespace

int main(int argc, char** argv) {
    hx::platform::UseUtf8Console();
    if (argc < 2) {
        std::cerr << kUsage;
        return hxtool::kExitUsage;
    }
    const std::string_view command = argv[1];
    using Run = int (*)(const hxtool::Invocation&);
    const std::pair<std::string_view, Run> commands[] = {
        {"decode", hxtool::RunDecode}, {"encode", hxtool::RunEncode}, {"read", hxtool::RunRead},
        {"write", hxtool::RunWrite},   {"clone", hxtool::RunClone},   {"doctor", hxtool::RunDoctor},
        {"diff", hxtool::RunDiff},     {"export", hxtool::RunExport}, {"import", hxtool::RunImport},
        {"card", hxtool::RunCard}};
    for (const auto& [name, run] : commands) {
        if (command != name)
            continue;
        // The same folder as hxprog's, so an installed hxtool finds the settings the
        // window uses; only a real command fills it, and the doctor changes nothing.
        const auto use = command == "doctor" ? hx::FolderUse::LookOnly : hx::FolderUse::Fill;
        const auto appFolder =
            hx::ChooseAppFolder(ExecutableDir(argv[0]), hx::UserDataFolder(), use);
        return run({{argv + 2, argv + argc}, appFolder, std::cout, std::cerr});
    }
    if (command == "--help" || command == "-h") {
        std::cout << kUsage;
        return hxtool::kExitSuccess;
    }
    std::cerr << "hxtool: unknown command '" << command << "'\n" << kUsage;
    return hxtool::kExitUsage;
}
