// The main window's tab control: owns one page window per tab, shows the
// page of the selected tab, and can lock tabs so that a click on a locked
// one keeps the current page.
#pragma once

#include <string>
#include <vector>

#include "skinlib/TesselTabCtrl.h"

namespace tavil {

// Paints the program's tabs: the area no tab covers in black, and every
// tab as enabled or locked by the flag of the last SetTabEnabled call.
class PageTabPainter : public TesselTabPainter {
public:
    BOOL enabled = 1;
    void FillBackground(HDC dc, const RECT& rect, UINT flags) override;
    void DrawItem(HDC dc, const RECT& rect, const char* text, BOOL selected, BOOL disabled) override;
};

class PageTabCtrl : public TesselTabCtrl {
public:
    PageTabCtrl();

    // Where the page-changed notice (TM_PAGE_CHANGED, lParam the new tab)
    // goes: the main window.
    void SetNotifyWindow(HWND window) { m_notify = window; }

    // Adds a tab titled `title` for `page`, a child of this control's parent
    // area; the first page is shown, later ones start hidden.
    void AddPage(HWND page, const std::string& title);
    void SetTabEnabled(int index, BOOL enabled);
    BOOL IsTabEnabled(int index) const;

    // The tab control's change notifications, handed on by the parent
    // (TCN_SELCHANGING and TCN_SELCHANGE).  Both answer 0.
    LRESULT OnSelChanging();
    LRESULT OnSelChange();

    const PageTabPainter& tabPainter() const { return m_painter; }

private:
    HWND PageOf(int index) const;

    PageTabPainter m_painter;
    std::vector<BOOL> m_enabled;
    int m_previous = 0;
    HWND m_notify = nullptr;
};

} // namespace tavil
