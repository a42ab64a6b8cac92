// perfmode's message box: the skinned message box with caption string
// 10010 of the current resource source and no parent.  Returns the id of
// the pressed button.
#pragma once

#include <string>
#include <windows.h>

namespace perfmode {

// Flags used: MB_ICONSTOP (0x10), MB_ICONEXCLAMATION (0x30), MB_YESNO (4)
// and MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2 (0x121).
int ShowMessage(const std::string& text, UINT flags);
int ShowMessage(UINT textId, UINT flags);

} // namespace perfmode
