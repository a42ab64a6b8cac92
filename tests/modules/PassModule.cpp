// Test module: reports its repeat count and progress, and passes.
#include <cstdio>

#include "sdk/tavil_module.h"

TAVIL_START_TEST(HWND window, uint32_t flags, intptr_t repeat) {
    char text[128];
    std::snprintf(text, sizeof text, "pass module: repeat %d, batch %d\r\n", static_cast<int>(repeat),
                  (flags & FLAG_BATCH) ? 1 : 0);
    SendMessageA(window, TM_SCREEN_TEXT, 0, reinterpret_cast<LPARAM>(text));
    SendMessageA(window, TM_LOG_TEXT, 0, reinterpret_cast<LPARAM>(text));
    SendMessageA(window, TM_PROGRESS, 0, 100);
    return TAVIL_RESULT_OK;
}
