// Whether the user may change the performance mode: a member of the
// built-in Administrators group whose membership is enabled.
#pragma once

#include <windows.h>

#include "framework/Handles.h"

namespace perfmode {

// The check on the process token.  Outside the NT family every user
// passes; so does a user whose token or group list cannot be read.
bool IsUserAdministrator();

// The rule itself: true when `token`'s groups hold S-1-5-32-544 with the
// enabled attribute; `unreadable` when the list cannot be read.
bool TokenHasEnabledAdministrators(HANDLE token, bool& unreadable);

// The built-in Administrators group's identifier (S-1-5-32-544).
fw::Sid AdministratorsSid();

// The rule over a group list.
bool GroupsHaveEnabledAdministrators(const TOKEN_GROUPS& groups);

} // namespace perfmode
