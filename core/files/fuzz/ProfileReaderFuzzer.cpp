// Profile files come from users and other tools: any bytes must read without harm,
// and a broken model profile must fail only with its typed error.
#include "core/model/ModelProfile.h"
#include "core/settings/UserSettings.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto contents =
        hx::ProfileContents::Parse(std::string(reinterpret_cast<const char*>(data), size));
    if (contents.read("Setting", "Language", "a", 1).size() > 4) // one character, up to 4 bytes
        __builtin_trap();
    try {
        (void)hx::LoadModelProfile(contents);
    } catch (const hx::ProfileError&) {
    }
    (void)hx::LoadToneTable(contents, 7200);
    (void)hx::ReadColours(contents);
    (void)hx::ReadSettings(contents);
    return 0;
}
