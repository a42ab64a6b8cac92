// The question the program asks before it quits.  A service installation on
// a machine whose Windows folder is not named "windows" also offers to
// switch the machine off.
#pragma once

#include <windows.h>

#include <cstdint>

#include "PowerOff.h"

namespace tavil {

// Asks; true when the window is to close.  Requests the power-off (once)
// when the user chose to quit with shutdown.
bool AskToQuit(HWND owner, uint32_t modeFlags, PowerOff& power);

} // namespace tavil
