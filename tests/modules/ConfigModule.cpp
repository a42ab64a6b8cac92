// Test module standing in for hwconfig.dll: writes a known cfg.log into the
// directory the program names, with a line longer than the report copies
// at a time, and records each call (window given, flags, null argument)
// in hwconfig-calls.txt beside it.
#include <cstdio>
#include <string>

#include "sdk/tavil_module.h"

TAVIL_START_TEST(HWND window, uint32_t flags, intptr_t argument) {
    char directory[1024] = "";
    DWORD length = GetEnvironmentVariableA(TAVIL_LOG_DIRECTORY_VARIABLE, directory, sizeof directory);
    if (length == 0 || length >= sizeof directory)
        return 2;
    const std::string folder = directory;
    if (FILE* calls = std::fopen((folder + "hwconfig-calls.txt").c_str(), "a")) {
        std::fprintf(calls, "window=%d flags=%u argument=%d\n", window != nullptr, flags, argument == 0 ? 0 : 1);
        std::fclose(calls);
    }
    FILE* cfg = std::fopen((folder + "cfg.log").c_str(), "w");
    if (!cfg)
        return 2;
    std::fputs("Computer name         : TESTPC\n", cfg);
    std::fputs((std::string(3000, 'x') + "\n").c_str(), cfg);
    std::fputs("Last line without a line end", cfg);
    std::fclose(cfg);
    return 0;
}
