// Test module for resume runs: shows the log-directory text it was given.
#include <string>

#include "sdk/tavil_module.h"

TAVIL_START_TEST(HWND window, uint32_t flags, intptr_t argument) {
    const char* directory = reinterpret_cast<const char*>(argument);
    std::string text = std::string("resume: [") + (directory ? directory : "(null)") + "] batch " +
                       ((flags & FLAG_BATCH) ? "1" : "0") + "\r\n";
    SendMessageA(window, TM_SCREEN_TEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return 0;
}
