#include "TesselTabCtrl.h"

#include <commctrl.h>

#include "Skin.h"
#include "framework/Gdi.h"

void AbstractTabCtrl::OnAttached() {
    skin::SubclassedControl::OnAttached();
    LONG style = ::GetWindowLongA(m_hwnd, GWL_STYLE);
    ::SetWindowLongA(m_hwnd, GWL_STYLE, style | WS_CLIPCHILDREN);
}

void AbstractTabCtrl::SetPainter(TesselTabPainter* painter) {
    m_painter = painter ? painter : &m_libraryPainter;
    if (m_hwnd)
        Invalidate();
}

int AbstractTabCtrl::InsertItem(int index, const std::string& text, LPARAM data) {
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = const_cast<char*>(text.c_str());
    item.lParam = data;
    return static_cast<int>(Send(TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item)));
}

int AbstractTabCtrl::GetItemCount() const { return static_cast<int>(Send(TCM_GETITEMCOUNT)); }
int AbstractTabCtrl::GetCurSel() const { return static_cast<int>(Send(TCM_GETCURSEL)); }
int AbstractTabCtrl::SetCurSel(int index) { return static_cast<int>(Send(TCM_SETCURSEL, index)); }
void AbstractTabCtrl::SetMinTabWidth(int width) { Send(TCM_SETMINTABWIDTH, 0, width); }

LPARAM AbstractTabCtrl::GetItemData(int index) const {
    TCITEMA item{};
    item.mask = TCIF_PARAM;
    Send(TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

std::string AbstractTabCtrl::GetItemText(int index) const {
    char buffer[256] = "";
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    Send(TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    return buffer;
}

RECT AbstractTabCtrl::GetItemRect(int index) const {
    RECT rect{};
    Send(TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

RECT AbstractTabCtrl::DisplayRect() const {
    RECT rect = ClientRect();
    Send(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

void AbstractTabCtrl::Paint(HDC target) {
    RECT client = ClientRect();
    // Drawn off screen first, so the tabs do not flicker on every change.
    fw::MemoryDC memory(target);
    fw::Bitmap bitmap(::CreateCompatibleBitmap(target, client.right, client.bottom));
    if (!memory || !bitmap)
        return;
    HDC dc = memory.get();
    fw::ScopedSelect bitmapSelected(dc, bitmap.get());
    fw::ScopedSelect fontSelected(dc, reinterpret_cast<HFONT>(Send(WM_GETFONT)));

    int count = GetItemCount();
    int selected = GetCurSel();
    RECT row = {client.left, client.top, client.right, client.top};
    if (count > 0)
        row.bottom = GetItemRect(0).bottom + 2;
    // The page area in the skin's face; the row of tabs by the painter.
    skin::Fill(dc, client, skin::kFace);
    m_painter->FillBackground(dc, row, 0);
    m_painter->DrawBackGround(dc, row, 0);
    for (int i = 0; i < count; ++i) {
        RECT item = GetItemRect(i);
        std::string text = GetItemText(i);
        if (i == selected)
            m_painter->DrawSelectItem(dc, item, 0);
        m_painter->DrawItem(dc, item, text.c_str(), i == selected, FALSE);
        if (i == selected && ::GetFocus() == m_hwnd)
            m_painter->DrawFocus(dc, item, 0);
    }

    ::BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
}

LRESULT AbstractTabCtrl::ControlProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(m_hwnd, &ps);
        Paint(dc);
        ::EndPaint(m_hwnd, &ps);
        return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        LRESULT result = DefaultProc(message, wParam, lParam);
        Invalidate(false);
        return result;
    }
    }
    return DefaultProc(message, wParam, lParam);
}
