// example_module.dll: a complete small library test module.
//
// It "tests" a buffer of memory: fills it with a pattern, reads it back,
// repeats as often as it is told, reports progress and minutes left,
// honours Stop and logs what it found.  Build it with the project, or on
// its own (one line):
//
//   x86_64-w64-mingw32-g++ -shared -O2 -I<repository> ExampleModule.cpp -o example_module.dll -static -Wl,--kill-at
#include <cstdio>
#include <cstring>
#include <vector>

#include "sdk/tavil_module.h"

namespace {

// Sends a text to the screen and to the run log.
void Report(HWND window, const char* text) {
    SendMessageA(window, TM_SCREEN_TEXT, 0, reinterpret_cast<LPARAM>(text));
    SendMessageA(window, TM_LOG_TEXT, 0, reinterpret_cast<LPARAM>(text));
}

bool StopPressed(HWND window) {
    return SendMessageA(window, TM_QUERY_RUN_STATE, 0, 0) != TAVIL_RUN_STATE_RUNNING;
}

// One pass: write a pattern and read it back; the number of bad bytes.
size_t CheckBuffer(std::vector<unsigned char>& buffer, unsigned char pattern) {
    std::memset(buffer.data(), pattern, buffer.size());
    size_t bad = 0;
    for (unsigned char byte : buffer)
        bad += byte != pattern;
    return bad;
}

} // namespace

// Result codes of this module (any value but 0 is an error).
constexpr int32_t kExampleMismatch = 1;

TAVIL_START_TEST(HWND window, uint32_t flags, intptr_t argument) {
    // In batch and single runs the third argument is the repeat count.
    int repeats = argument > 0 ? static_cast<int>(argument) : 1;
    std::vector<unsigned char> buffer(1 << 20);
    Report(window, (flags & FLAG_BATCH) ? "Example test (in a batch)\r\n" : "Example test\r\n");

    size_t bad = 0;
    for (int pass = 1; pass <= repeats; ++pass) {
        if (StopPressed(window)) {
            Report(window, "Example test stopped by the user.\r\n");
            break;
        }
        bad += CheckBuffer(buffer, 0x55) + CheckBuffer(buffer, 0xAA);
        // 0..100 over all passes; a batch needs 100 at the end.
        SendMessageA(window, TM_PROGRESS, 0, pass * 100 / repeats);
        SendMessageA(window, TM_MINUTES_LEFT, 0, 0);
    }

    char line[128];
    std::snprintf(line, sizeof line, "Example test: %zu bad byte(s)\r\n", bad);
    Report(window, line);
    if (bad != 0) {
        SendMessageA(window, TM_COLOURED_TEXT, reinterpret_cast<WPARAM>("FAILED\r\n"), 0x0000FF);
        return kExampleMismatch;
    }
    return TAVIL_RESULT_OK;
}
