// Test module: works until the user presses Stop (it polls the run state
// every 10 ms, for at most 20 s), then returns.
#include "sdk/tavil_module.h"

TAVIL_START_TEST(HWND window, uint32_t, intptr_t) {
    SendMessageA(window, TM_SCREEN_TEXT, 0, reinterpret_cast<LPARAM>("poll module: started\r\n"));
    for (int i = 0; i < 2000; ++i) {
        if (SendMessageA(window, TM_QUERY_RUN_STATE, 0, 0) != TAVIL_RUN_STATE_RUNNING) {
            SendMessageA(window, TM_SCREEN_TEXT, 0, reinterpret_cast<LPARAM>("poll module: stopped\r\n"));
            return 0;
        }
        Sleep(10);
    }
    return 1;
}
