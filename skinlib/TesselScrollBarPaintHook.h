// Draws the scroll bars of a scrollable child (a rich-edit view, say) in
// the skin's colours, over the system's own.
#pragma once

#include <windows.h>

class AbstractScrollBarPaintHook {
public:
    virtual ~AbstractScrollBarPaintHook();
    // Hooks `hwnd`; call once per scrollable child after it exists.
    void HookWindow(HWND hwnd);
    // Repaints the scroll bars; call with true after every change of the
    // window's content or scroll position.
    void PaintScrollBars(bool redraw);

protected:
    // Paints one bar: `bar` is the whole bar, `thumb` the thumb (empty when
    // the bar cannot scroll), both in window coordinates.
    virtual void PaintBar(HDC dc, const RECT& bar, const RECT& thumb, bool vertical) = 0;

private:
    void PaintNow();
    static LRESULT CALLBACK HookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);
    HWND m_hwnd = nullptr;
};

class TesselScrollBarPaintHook : public AbstractScrollBarPaintHook {
protected:
    void PaintBar(HDC dc, const RECT& bar, const RECT& thumb, bool vertical) override;
};
