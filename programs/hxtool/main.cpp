#include "programs/hxtool/Commands.h"

#include <filesystem>
#include <iostream>
#include <string_view>
#include <system_error>

namespace {

constexpr std::string_view kUsage =
    "usage: hxtool decode FILE.dat [--model 7100|7200|7400] [--json] [--settings DIR]\n"
    "       hxtool encode FILE.json -o FILE.dat [--model ...] [--settings DIR]\n"
    "       hxtool read --port DEV -o FILE.dat [--model ...] [--settings DIR]\n"
    "       hxtool write FILE.dat --port DEV [--model ...] [--settings DIR]\n";

std::filesystem::path ExecutableDir(const char* argv0) {
    std::error_code error;
    auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        self = std::filesystem::absolute(argv0, error);
    return self.parent_path();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << kUsage;
        return hxtool::kExitUsage;
    }
    const std::string_view command = argv[1];
    hxtool::Invocation invocation{
        {argv + 2, argv + argc}, ExecutableDir(argv[0]), std::cout, std::cerr};
    if (command == "decode")
        return hxtool::RunDecode(invocation);
    if (command == "encode")
        return hxtool::RunEncode(invocation);
    if (command == "read")
        return hxtool::RunRead(invocation);
    if (command == "write")
        return hxtool::RunWrite(invocation);
    if (command == "--help" || command == "-h") {
        std::cout << kUsage;
        return hxtool::kExitSuccess;
    }
    std::cerr << "hxtool: unknown command '" << command << "'\n" << kUsage;
    return hxtool::kExitUsage;
}
