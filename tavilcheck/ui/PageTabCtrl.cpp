#include "PageTabCtrl.h"

#include <commctrl.h>

#include "sdk/tavil_module.h"
#include "skinlib/Skin.h"

namespace tavil {

void PageTabPainter::FillBackground(HDC dc, const RECT& rect, UINT) { skin::Fill(dc, rect, RGB(0, 0, 0)); }

void PageTabPainter::DrawItem(HDC dc, const RECT& rect, const char* text, BOOL selected, BOOL) {
    TesselTabPainter::DrawItem(dc, rect, text, selected, !enabled);
}

PageTabCtrl::PageTabCtrl() { SetPainter(&m_painter); }

HWND PageTabCtrl::PageOf(int index) const { return reinterpret_cast<HWND>(GetItemData(index)); }

void PageTabCtrl::AddPage(HWND page, const std::string& title) {
    int index = InsertItem(GetItemCount(), title, reinterpret_cast<LPARAM>(page));
    // The page window carries its tab's title too, for screen readers and
    // automated checks (the tab texts cannot be read from outside).
    ::SetWindowTextA(page, title.c_str());
    ::SetWindowPos(page, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(page, index == 0 ? SW_SHOW : SW_HIDE);
    m_enabled.push_back(1);
}

void PageTabCtrl::SetTabEnabled(int index, BOOL enabled) {
    if (index < 0)
        return;
    if (static_cast<size_t>(index) < m_enabled.size() && m_enabled[index] != enabled) {
        m_enabled[index] = enabled;
        RECT item = GetItemRect(index);
        ::InvalidateRect(m_hwnd, &item, TRUE);
    }
    m_painter.enabled = enabled;
    SetPainter(&m_painter);
}

BOOL PageTabCtrl::IsTabEnabled(int index) const {
    return index >= 0 && static_cast<size_t>(index) < m_enabled.size() ? m_enabled[index] : FALSE;
}

LRESULT PageTabCtrl::OnSelChanging() {
    m_previous = GetCurSel();
    return 0;
}

LRESULT PageTabCtrl::OnSelChange() {
    int selected = GetCurSel();
    if (!IsTabEnabled(selected)) {
        SetCurSel(m_previous);
        return 0;
    }
    if (m_notify)
        ::SendMessageA(m_notify, TM_PAGE_CHANGED, 0, selected);
    if (selected != m_previous)
        ::ShowWindow(PageOf(m_previous), SW_HIDE);
    ::ShowWindow(PageOf(selected), SW_SHOW);
    return 0;
}

} // namespace tavil
