#include "LibraryModule.h"

#include "framework/Handles.h"

namespace tavil {

LibraryCall CallLibraryModule(const std::string& file, HWND window, uint32_t flags, intptr_t argument,
                              HMODULE& loadedLibrary) {
    LibraryCall call;
    fw::Library library(::LoadLibraryA(file.c_str()));
    if (!library)
        return call;
    call.loaded = true;
    loadedLibrary = library.get();
    auto entry = reinterpret_cast<TavilStartTestFunction>(
        reinterpret_cast<void*>(::GetProcAddress(library.get(), TAVIL_START_TEST_NAME)));
    if (entry) {
        call.hasEntry = true;
        call.result = entry(window, flags, argument);
    }
    loadedLibrary = nullptr;
    return call;
}

} // namespace tavil
