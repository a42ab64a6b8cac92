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

HWND PageTabCtrl::PageOf(int index) {
    if (index < 0 || static_cast<size_t>(index) >= m_pages.size())
        return nullptr;
    Tab& tab = m_pages[index];
    if (!tab.page && tab.makePage) {
        tab.page = tab.makePage();
        tab.makePage = nullptr;
        // The page window carries its tab's title too, for screen readers
        // and automated checks (the tab texts cannot be read from outside).
        if (tab.page)
            ::SetWindowTextA(tab.page, tab.title.c_str());
    }
    return tab.page;
}

void PageTabCtrl::AddPage(const std::string& title, PageMaker makePage) {
    InsertItem(GetItemCount(), title);
    m_pages.push_back(Tab{title, std::move(makePage)});
    if (m_pages.size() == 1)
        ShowOnly(0);
}

void PageTabCtrl::ShowOnly(int index) {
    HWND shown = PageOf(index);
    for (const Tab& tab : m_pages)
        if (tab.page && tab.page != shown)
            ::ShowWindow(tab.page, SW_HIDE);
    if (shown)
        ::ShowWindow(shown, SW_SHOW);
}

void PageTabCtrl::Select(int index) {
    SetCurSel(index);
    ShowOnly(index);
}

void PageTabCtrl::SetTabEnabled(int index, BOOL enabled) {
    if (index < 0)
        return;
    if (static_cast<size_t>(index) < m_pages.size() && m_pages[index].enabled != enabled) {
        m_pages[index].enabled = enabled;
        RECT item = GetItemRect(index);
        ::InvalidateRect(m_hwnd, &item, TRUE);
    }
    m_painter.enabled = enabled;
    SetPainter(&m_painter);
}

BOOL PageTabCtrl::IsTabEnabled(int index) const {
    return index >= 0 && static_cast<size_t>(index) < m_pages.size() ? m_pages[index].enabled : FALSE;
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
    // The page exists before the notice, which resets it.
    PageOf(selected);
    if (m_notify)
        ::SendMessageA(m_notify, TM_PAGE_CHANGED, 0, selected);
    ShowOnly(selected);
    return 0;
}

} // namespace tavil
