#include "TesselScrollBarPaintHook.h"

#include <commctrl.h>

#include "Skin.h"
#include "framework/Gdi.h"

namespace {
constexpr UINT_PTR kHookId = 0x5C20;
}

AbstractScrollBarPaintHook::~AbstractScrollBarPaintHook() {
    if (m_hwnd && ::IsWindow(m_hwnd))
        ::RemoveWindowSubclass(m_hwnd, HookProc, kHookId);
}

void AbstractScrollBarPaintHook::HookWindow(HWND hwnd) {
    if (m_hwnd && ::IsWindow(m_hwnd))
        ::RemoveWindowSubclass(m_hwnd, HookProc, kHookId);
    m_hwnd = hwnd;
    if (hwnd)
        ::SetWindowSubclass(hwnd, HookProc, kHookId, reinterpret_cast<DWORD_PTR>(this));
}

void AbstractScrollBarPaintHook::PaintScrollBars(bool redraw) {
    if (!m_hwnd)
        return;
    if (redraw)
        ::RedrawWindow(m_hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    else
        PaintNow();
}

void AbstractScrollBarPaintHook::PaintNow() {
    fw::WindowDC dc(m_hwnd, fw::WindowDC::kWholeWindow);
    if (!dc)
        return;
    RECT window{};
    ::GetWindowRect(m_hwnd, &window);
    const LONG ids[] = {OBJID_VSCROLL, OBJID_HSCROLL};
    for (LONG id : ids) {
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        if (!::GetScrollBarInfo(m_hwnd, id, &info))
            continue;
        if (info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN))
            continue;
        const bool vertical = id == OBJID_VSCROLL;
        RECT bar = info.rcScrollBar;
        ::OffsetRect(&bar, -window.left, -window.top);
        RECT thumb = {0, 0, 0, 0};
        if (!(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) && info.xyThumbBottom > info.xyThumbTop) {
            thumb = bar;
            if (vertical) {
                thumb.top = bar.top + info.xyThumbTop;
                thumb.bottom = bar.top + info.xyThumbBottom;
            } else {
                thumb.left = bar.left + info.xyThumbTop;
                thumb.right = bar.left + info.xyThumbBottom;
            }
        }
        PaintBar(dc.get(), bar, thumb, vertical);
    }
}

LRESULT CALLBACK AbstractScrollBarPaintHook::HookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                      DWORD_PTR self) {
    auto* hook = reinterpret_cast<AbstractScrollBarPaintHook*>(self);
    switch (message) {
    case WM_NCPAINT:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
    case WM_SIZE: {
        LRESULT result = ::DefSubclassProc(hwnd, message, wParam, lParam);
        hook->PaintNow();
        return result;
    }
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(hwnd, HookProc, kHookId);
        hook->m_hwnd = nullptr;
        break;
    }
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

void TesselScrollBarPaintHook::PaintBar(HDC dc, const RECT& bar, const RECT& thumb, bool vertical) {
    skin::Fill(dc, bar, skin::kFace);
    if (thumb.right > thumb.left && thumb.bottom > thumb.top) {
        RECT body = thumb;
        if (vertical)
            ::InflateRect(&body, -3, -1);
        else
            ::InflateRect(&body, -1, -3);
        skin::Fill(dc, body, skin::kBorder);
    }
}
