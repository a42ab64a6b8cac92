// Skinned tab control: the library paints the whole control through a
// TesselTabPainter.
#pragma once

#include <string>

#include "SubclassedControl.h"
#include "TesselTabPainter.h"

class AbstractTabCtrl : public skin::SubclassedControl {
public:
    // Installs `painter` (owned by the caller, alive as long as the
    // control) and repaints; call again with the same painter after its
    // state changed.
    void SetPainter(TesselTabPainter* painter);

    int InsertItem(int index, const std::string& text, LPARAM data = 0);
    int GetItemCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    LPARAM GetItemData(int index) const;
    std::string GetItemText(int index) const;
    RECT GetItemRect(int index) const;
    void SetMinTabWidth(int width);
    // The page area: the client rectangle less the row of tabs.
    RECT DisplayRect() const;

protected:
    void OnAttached() override;
    LRESULT ControlProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc);
    TesselTabPainter m_libraryPainter;
    TesselTabPainter* m_painter = &m_libraryPainter;
};

class TesselTabCtrl : public AbstractTabCtrl {};
