// The steps of tavilcheck's start-up that touch the system: single
// instance, resource library, Windows directory.
#pragma once

#include <cstdint>
#include <string>
#include <windows.h>

namespace tavil {

// Creates the named mutex "tavilcheck", owned by the creator.  False when
// it already existed (another instance runs); the handle is then closed.
// Otherwise the handle is kept for the life of the process.
bool ClaimSingleInstance();

// True when a directory search for `path` finds an entry that is not a
// directory.
bool FileExists(const std::string& path);

// Loads ResTCheck.dll from the program directory when it is there and
// makes it the resource source.  Failing or missing: the program's own
// resources stay in use, silently.
void LoadResourceLibrary(const std::string& programDirectory);

// Outcome of the Windows directory check.
struct WindowsDirectoryCheck {
    bool otherDirectory = false; // FLAG_WINDIR_OTHER: the path lacks "windows"
    bool refused = false;        // not an administrator: the program must end
};
// Checks the Windows directory; `isAdministrator` is consulted only when
// the path contains "windows".
WindowsDirectoryCheck CheckWindowsDirectory(bool (*isAdministrator)());

// Whether the user may use the tool.  Every user may: the tool checks no
// rights of its own.
bool IsAdministrator();

} // namespace tavil
