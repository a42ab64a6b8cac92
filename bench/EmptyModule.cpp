// The empty module of the worker benchmark: StartTest returns at once.
#include "sdk/tavil_module.h"

TAVIL_START_TEST(HWND, uint32_t, intptr_t) { return TAVIL_RESULT_OK; }
