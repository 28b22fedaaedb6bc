// Profile files come from users and other tools: any bytes must read without harm,
// and a broken model profile must fail only with its typed error.
#include "app/profile/ModelProfile.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto path = std::filesystem::temp_directory_path() /
                             ("hx_profile_fuzz_" + std::to_string(::getpid()) + ".ini");
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const hx::ProfileFile file(path);
    if (file.read("Setting", "Language", "a", 1).size() > 4) // one character, up to 4 bytes
        __builtin_trap();
    try {
        (void)hx::LoadModelProfile(file);
    } catch (const hx::ProfileError&) {
    }
    (void)hx::LoadToneTable(file, 7200);
    return 0;
}
