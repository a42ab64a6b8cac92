// Test module: logs and shows nothing, reports its end and passes.
#include "sdk/tavil_module.h"

TAVIL_START_TEST(HWND window, uint32_t, intptr_t) {
    SendMessageA(window, TM_PROGRESS, 0, 100);
    return TAVIL_RESULT_OK;
}
