// The main window's tab control: holds one page window per tab, makes a
// page the first time its tab is chosen (so that start-up makes only the
// first one), shows the page of the selected tab, and can lock tabs so that
// a click on a locked one keeps the current page.
#pragma once

#include <functional>
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

    // Makes a page window (a child of this control), placed; nullptr when
    // it could not be made.
    using PageMaker = std::function<HWND()>;

    // Adds a tab titled `title` whose page `makePage` makes: the first tab's
    // page at once, shown; a later one's when its tab is first chosen.
    void AddPage(const std::string& title, PageMaker makePage);
    // Chooses tab `index` and shows its page, as a click on an enabled tab
    // does, without the page-changed notice.
    void Select(int index);
    // The page of tab `index`, made now if it was not; nullptr for no tab.
    HWND PageOf(int index);
    void SetTabEnabled(int index, BOOL enabled);
    BOOL IsTabEnabled(int index) const;

    // The tab control's change notifications, handed on by the parent
    // (TCN_SELCHANGING and TCN_SELCHANGE).  Both answer 0.
    LRESULT OnSelChanging();
    LRESULT OnSelChange();

    const PageTabPainter& tabPainter() const { return m_painter; }

private:
    struct Tab {
        std::string title;
        PageMaker makePage;
        HWND page = nullptr;
        BOOL enabled = 1;
    };
    void ShowOnly(int index);

    PageTabPainter m_painter;
    std::vector<Tab> m_pages;
    int m_previous = 0;
    HWND m_notify = nullptr;
};

} // namespace tavil
