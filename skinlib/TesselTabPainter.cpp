#include "TesselTabPainter.h"

#include "Skin.h"

TesselTabPainter::~TesselTabPainter() = default;

void TesselTabPainter::FillBackground(HDC dc, const RECT& rect, UINT) { skin::Fill(dc, rect, skin::kFace); }

void TesselTabPainter::DrawBackGround(HDC dc, const RECT& rect, UINT) {
    // A thin accent rule under the tab row.
    RECT rule = {rect.left, rect.bottom - 2, rect.right, rect.bottom};
    skin::Fill(dc, rule, skin::kAccent);
}

void TesselTabPainter::DrawItem(HDC dc, const RECT& rect, const char* text, BOOL selected, BOOL disabled) {
    if (!selected)
        skin::Fill(dc, rect, skin::kFaceDark);
    COLORREF colour = disabled ? skin::kTextDisabled : selected ? skin::kAccentText : skin::kText;
    skin::Text(dc, rect, text, colour, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX,
               selected ? skin::UiBoldFont() : skin::UiFont());
}

void TesselTabPainter::DrawSelectItem(HDC dc, const RECT& rect, UINT) { skin::Fill(dc, rect, skin::kAccent); }

void TesselTabPainter::DrawFocus(HDC dc, const RECT& rect, UINT) {
    RECT mark = {rect.left + 4, rect.bottom - 5, rect.right - 4, rect.bottom - 4};
    skin::Fill(dc, mark, skin::kAccentText);
}
