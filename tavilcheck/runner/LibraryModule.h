// Loading and calling one library test module: load by name, look up
// StartTest, call it once, unload.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "sdk/tavil_module.h"

namespace tavil {

// Outcome of one call.
struct LibraryCall {
    bool loaded = false;   // the library was loaded
    bool hasEntry = false; // it exports StartTest
    int32_t result = TAVIL_RESULT_NOT_STARTED;
};

// Loads `file` by its name alone (the loader's search order finds it),
// calls StartTest(window, flags, argument) and unloads the library.
// `loadedLibrary` holds the handle while the call runs.
LibraryCall CallLibraryModule(const std::string& file, HWND window, uint32_t flags, intptr_t argument,
                              HMODULE& loadedLibrary);

} // namespace tavil
