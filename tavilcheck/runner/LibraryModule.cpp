#include "LibraryModule.h"

namespace tavil {

LibraryCall CallLibraryModule(const std::string& file, HWND window, uint32_t flags,
                              intptr_t argument, HMODULE& loadedLibrary) {
    LibraryCall call;
    loadedLibrary = ::LoadLibraryA(file.c_str());
    if (!loadedLibrary)
        return call;
    call.loaded = true;
    auto entry = reinterpret_cast<TavilStartTestFunction>(
        reinterpret_cast<void*>(::GetProcAddress(loadedLibrary, TAVIL_START_TEST_NAME)));
    if (entry) {
        call.hasEntry = true;
        call.result = entry(window, flags, argument);
    }
    ::FreeLibrary(loadedLibrary);
    loadedLibrary = nullptr;
    return call;
}

} // namespace tavil
