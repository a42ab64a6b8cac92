// A program test module of a single run: a console program started once
// per repetition, hidden with its output captured (window type DEFAULT)
// or in a window of its own (PROMPT shown, DIALOG started hidden).  Its
// exit code is its verdict; after each repetition the detail file it may
// have written is shown and deleted.
#pragma once

#include <cstdint>

#include "tavilcheck/catalogue/TestCatalogue.h"

namespace tavil {

class CCallDllThread;

// Runs `module` as often as the worker's request says (fewer after Stop, or after a
// failure with "Stop When Error") on the worker's thread and returns the
// module result: the last non-zero exit code, or TAVIL_RESULT_NOT_STARTED
// when the program could not be started.
int32_t RunProgramModule(const CCallDllThread& worker, const TestModule& module);

} // namespace tavil
