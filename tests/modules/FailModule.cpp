// Test module: fails with the code in the environment variable
// TAVIL_TEST_FAIL_CODE (5 when it is not set).
#include <cstdio>
#include <cstdlib>

#include "sdk/tavil_module.h"

TAVIL_START_TEST(HWND window, uint32_t, intptr_t) {
    char value[32] = "";
    int code = GetEnvironmentVariableA("TAVIL_TEST_FAIL_CODE", value, sizeof value) ? std::atoi(value) : 5;
    char text[64];
    std::snprintf(text, sizeof text, "fail module: code %d\r\n", code);
    SendMessageA(window, TM_SCREEN_TEXT, 0, reinterpret_cast<LPARAM>(text));
    SendMessageA(window, TM_PROGRESS, 0, 100);
    return code;
}
