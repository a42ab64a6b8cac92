// The main window's 32-bit mode word; every page and run worker gets a copy.
// The bits are those of the module SDK, where modules read them as the
// flags of StartTest: FLAG_SERVICE, FLAG_WINDIR_OTHER, FLAG_BATCH,
// FLAG_STOP_WHEN_ERROR, FLAG_FULLTEST, FLAG_RECOVERY, FLAG_HYPER.
#pragma once

#define TAVIL_SDK_CONSTANTS_ONLY
#include "sdk/tavil_module.h"
#undef TAVIL_SDK_CONSTANTS_ONLY
