// Painter of a skinned tab control.  The order of the virtual operations
// is part of the library's interface: keep it.
#pragma once

#include <windows.h>

class TesselTabPainter {
public:
    virtual ~TesselTabPainter();
    // Fills the band the row of tabs sits on (before the tabs are drawn).
    virtual void FillBackground(HDC dc, const RECT& rect, UINT flags);
    // The band behind the row of tabs and the page frame.
    virtual void DrawBackGround(HDC dc, const RECT& rect, UINT flags);
    // One tab: its text; `selected` for the current tab, `disabled` for a
    // locked one.
    virtual void DrawItem(HDC dc, const RECT& rect, const char* text, BOOL selected, BOOL disabled);
    // The highlight under the selected tab.
    virtual void DrawSelectItem(HDC dc, const RECT& rect, UINT flags);
    // The keyboard focus mark on the focused tab.
    virtual void DrawFocus(HDC dc, const RECT& rect, UINT flags);
};
