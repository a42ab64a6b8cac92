// Test module: a library without the StartTest export.
#include "sdk/tavil_module.h"

extern "C" __declspec(dllexport) int32_t __cdecl StartTestSomethingElse(HWND, uint32_t, intptr_t) { return 0; }
