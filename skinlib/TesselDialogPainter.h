// Frame painter of a skinned dialog.  Every operation gets a device
// context, a rectangle and flags; a subclass overrides what it wants to
// look different.  The order of the virtual operations is part of the
// library's interface: keep it.
#pragma once

#include <windows.h>

// Flags of the draw operations.
constexpr UINT kPaintActive = 0x1;   // the window is active
constexpr UINT kPaintPressed = 0x2;  // the button is pressed
constexpr UINT kPaintDisabled = 0x4; // the item is disabled

class TesselDialogPainter {
public:
    virtual ~TesselDialogPainter();
    // Client-area background.
    virtual void DrawClientBackground(HDC dc, const RECT& rect, UINT flags);
    virtual void DrawNonClient(HDC dc, const RECT& rect, UINT flags);
    virtual void DrawTitleBar(HDC dc, const RECT& rect, UINT flags);
    virtual void DrawCloseButton(HDC dc, const RECT& rect, UINT flags);
    virtual void DrawHelpButton(HDC dc, const RECT& rect, UINT flags);
    virtual void DrawMaxButton(HDC dc, const RECT& rect, UINT flags);
    virtual void DrawMinButton(HDC dc, const RECT& rect, UINT flags);
    virtual void DrawRestoreButton(HDC dc, const RECT& rect, UINT flags);
    // `rect` is the text area; the title is the window text of `flags`'
    // window, passed through SetTitle before the call.
    virtual void DrawTitleText(HDC dc, const RECT& rect, UINT flags);
    virtual void DrawTopMenuBarBkgnd(HDC dc, const RECT& rect, UINT flags);
    virtual void DrawTopMenuBarText(HDC dc, const RECT& rect, UINT flags);
    virtual void DrawMenuBarBkgnd(HDC dc, const RECT& rect, UINT flags);
    virtual void DrawMenuBarText(HDC dc, const RECT& rect, UINT flags);
    virtual void DrawMenuBarSeparator(HDC dc, const RECT& rect, UINT flags);

    // The text that DrawTitleText and DrawMenuBarText draw.
    void SetText(const char* text) { m_text = text ? text : ""; }

protected:
    const char* m_text = "";
};
