// The library's modal message box.  It is the system message box (a
// "#32770" dialog with its text in static 65535 and the standard button
// ids) in the skin's colours.  Returns the id of the pressed button
// (IDOK 1, IDCANCEL 2, IDYES 6, IDNO 7).
#pragma once

#include <windows.h>

int TesselMessageBox(const char* text, const char* caption, UINT type, HWND parent = nullptr);
// The text is string `textId` of the current resource source.
int TesselMessageBox(UINT textId, const char* caption, UINT type, HWND parent = nullptr);
