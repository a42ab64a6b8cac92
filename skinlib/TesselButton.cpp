#include "TesselButton.h"

#include <string>

#include "Skin.h"

void TesselButton::OnAttached() {
    skin::SubclassedControl::OnAttached();
    LONG style = ::GetWindowLongA(m_hwnd, GWL_STYLE);
    ::SetWindowLongA(m_hwnd, GWL_STYLE, (style & ~BS_TYPEMASK) | BS_OWNERDRAW);
    Invalidate();
}

COLORREF TesselButton::FaceColour(bool pressed) const { return pressed ? skin::kBorder : skin::kFaceDark; }

COLORREF TesselButton::TextColour() const { return skin::kText; }

COLORREF TesselButton2::FaceColour(bool pressed) const { return pressed ? skin::kAccentDark : skin::kAccent; }

COLORREF TesselButton2::TextColour() const { return skin::kAccentText; }

void TesselButton::DrawItem(const DRAWITEMSTRUCT& item) {
    const bool pressed = item.itemState & ODS_SELECTED;
    const bool disabled = item.itemState & ODS_DISABLED;
    RECT rect = item.rcItem;
    skin::Fill(item.hDC, rect, disabled ? skin::kFace : FaceColour(pressed));
    skin::Frame(item.hDC, rect, disabled ? skin::kFaceDark : skin::kBorder);
    std::string text = GetText();
    HFONT font = reinterpret_cast<HFONT>(Send(WM_GETFONT));
    skin::Text(item.hDC, rect, text.c_str(), disabled ? skin::kTextDisabled : TextColour(),
               DT_CENTER | DT_VCENTER | DT_SINGLELINE, font);
    if (item.itemState & ODS_FOCUS) {
        ::InflateRect(&rect, -3, -3);
        ::DrawFocusRect(item.hDC, &rect);
    }
}

LRESULT TesselGroupBox2::ControlProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(m_hwnd, &ps);
        RECT rect = ClientRect();
        std::string text = GetText();
        HFONT font = reinterpret_cast<HFONT>(Send(WM_GETFONT));
        HGDIOBJ old = ::SelectObject(dc, font ? font : skin::UiFont());
        SIZE extent{};
        ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        ::SelectObject(dc, old);
        RECT frame = {rect.left, rect.top + extent.cy / 2, rect.right, rect.bottom};
        skin::Frame(dc, frame, skin::kBorder);
        if (!text.empty()) {
            RECT label = {rect.left + 8, rect.top, rect.left + 12 + extent.cx, rect.top + extent.cy};
            skin::Fill(dc, label, skin::kFace);
            label.left += 2;
            skin::Text(dc, label, text.c_str(), skin::kText, DT_LEFT | DT_SINGLELINE, font);
        }
        ::EndPaint(m_hwnd, &ps);
        return 0;
    }
    return DefaultProc(message, wParam, lParam);
}
