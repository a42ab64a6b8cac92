// Scheduling a disk check for the next system start: an entry in the
// Session Manager's BootExecute list, which the system's boot-time checker
// runs before Windows starts.
#pragma once

#include <string>

namespace tavil {

extern const char kSessionManagerKey[]; // under HKEY_LOCAL_MACHINE

// Adds the check of `volumePath` ("\\.\C:\") to BootExecute, keeping the
// other entries (the system's own "autocheck autochk *" among them) and
// replacing an earlier check of the same volume.  False when the value
// could not be written.
bool ScheduleCheckAtRestart(const std::string& volumePath, bool recover);

} // namespace tavil
