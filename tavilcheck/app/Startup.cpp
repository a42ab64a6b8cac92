#include "Startup.h"

#include <vector>

#include "framework/Handles.h"
#include "framework/ResourceSource.h"
#include "framework/TextUtil.h"

namespace tavil {

bool ClaimSingleInstance() {
    fw::Handle mutex(::CreateMutexA(nullptr, TRUE, "tavilcheck"));
    if (mutex && ::GetLastError() == ERROR_ALREADY_EXISTS)
        return false;
    // The first copy holds the mutex until the process ends.
    mutex.release();
    return true;
}

bool FileExists(const std::string& path) {
    WIN32_FIND_DATAA found;
    fw::FindHandle search(::FindFirstFileA(path.c_str(), &found));
    if (!search)
        return false;
    return !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

void LoadResourceLibrary(const std::string& programDirectory) {
    std::string path = programDirectory + "ResTCheck.dll";
    if (!FileExists(path))
        return;
    // Loaded as a data file: a resource library runs no code of its own.
    HMODULE library = ::LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (library)
        fw::ResourceSource::SetLibrary(library);
}

WindowsDirectoryCheck CheckWindowsDirectory(bool (*isAdministrator)()) {
    WindowsDirectoryCheck check;
    std::vector<char> buffer(0x8000);
    UINT length = ::GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    if (length == 0 || length >= buffer.size())
        return check;
    std::string directory = fw::ToLower(std::string(buffer.data(), length));
    if (!fw::Contains(directory, "windows"))
        check.otherDirectory = true;
    else if (!isAdministrator())
        check.refused = true;
    return check;
}

bool IsAdministrator() { return true; }

} // namespace tavil
