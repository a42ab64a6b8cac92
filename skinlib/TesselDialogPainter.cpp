#include "TesselDialogPainter.h"

#include "Skin.h"
#include "framework/Gdi.h"

namespace {
// A caption button: flat square with a glyph drawn by `glyph`.
template <class Glyph> void CaptionButton(HDC dc, const RECT& rect, UINT flags, Glyph glyph) {
    skin::Fill(dc, rect, (flags & kPaintPressed) ? skin::kAccentDark : skin::kAccent);
    fw::Pen pen(::CreatePen(PS_SOLID, 1, skin::kAccentText));
    fw::ScopedSelect selected(dc, pen.get());
    int size = (rect.bottom - rect.top) / 3;
    int cx = (rect.left + rect.right) / 2, cy = (rect.top + rect.bottom) / 2;
    glyph(dc, cx, cy, size);
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
}
} // namespace

TesselDialogPainter::~TesselDialogPainter() = default;

void TesselDialogPainter::DrawClientBackground(HDC dc, const RECT& rect, UINT) { skin::Fill(dc, rect, skin::kFace); }

void TesselDialogPainter::DrawNonClient(HDC dc, const RECT& rect, UINT flags) {
    // The frame: accent border, face between border and client area.
    skin::Fill(dc, rect, skin::kFace);
    skin::Frame(dc, rect, (flags & kPaintActive) ? skin::kAccent : skin::kBorder);
}

void TesselDialogPainter::DrawTitleBar(HDC dc, const RECT& rect, UINT flags) {
    skin::Fill(dc, rect, (flags & kPaintActive) ? skin::kAccent : skin::kBorder);
}

void TesselDialogPainter::DrawCloseButton(HDC dc, const RECT& rect, UINT flags) {
    CaptionButton(dc, rect, flags, [](HDC d, int cx, int cy, int s) {
        Line(d, cx - s / 2, cy - s / 2, cx + s / 2 + 1, cy + s / 2 + 1);
        Line(d, cx + s / 2, cy - s / 2, cx - s / 2 - 1, cy + s / 2 + 1);
    });
}

void TesselDialogPainter::DrawHelpButton(HDC dc, const RECT& rect, UINT flags) {
    skin::Fill(dc, rect, (flags & kPaintPressed) ? skin::kAccentDark : skin::kAccent);
    skin::Text(dc, rect, "?", skin::kAccentText, DT_CENTER | DT_VCENTER | DT_SINGLELINE, skin::UiBoldFont());
}

void TesselDialogPainter::DrawMaxButton(HDC dc, const RECT& rect, UINT flags) {
    CaptionButton(dc, rect, flags, [](HDC d, int cx, int cy, int s) {
        RECT box = {cx - s / 2, cy - s / 2, cx + s / 2 + 1, cy + s / 2 + 1};
        skin::Frame(d, box, skin::kAccentText);
    });
}

void TesselDialogPainter::DrawMinButton(HDC dc, const RECT& rect, UINT flags) {
    CaptionButton(dc, rect, flags,
                  [](HDC d, int cx, int cy, int s) { Line(d, cx - s / 2, cy + s / 2, cx + s / 2 + 1, cy + s / 2); });
}

void TesselDialogPainter::DrawRestoreButton(HDC dc, const RECT& rect, UINT flags) {
    CaptionButton(dc, rect, flags, [](HDC d, int cx, int cy, int s) {
        RECT back = {cx - s / 2 + 2, cy - s / 2 - 2, cx + s / 2 + 3, cy + s / 2 - 1};
        RECT front = {cx - s / 2, cy - s / 2 + 1, cx + s / 2 + 1, cy + s / 2 + 2};
        skin::Frame(d, back, skin::kAccentText);
        skin::Frame(d, front, skin::kAccentText);
    });
}

void TesselDialogPainter::DrawTitleText(HDC dc, const RECT& rect, UINT) {
    skin::Text(dc, rect, m_text, skin::kAccentText,
               DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX, skin::UiBoldFont());
}

void TesselDialogPainter::DrawTopMenuBarBkgnd(HDC dc, const RECT& rect, UINT) { skin::Fill(dc, rect, skin::kFaceDark); }

void TesselDialogPainter::DrawTopMenuBarText(HDC dc, const RECT& rect, UINT flags) {
    skin::Text(dc, rect, m_text, (flags & kPaintDisabled) ? skin::kTextDisabled : skin::kText,
               DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TesselDialogPainter::DrawMenuBarBkgnd(HDC dc, const RECT& rect, UINT flags) {
    skin::Fill(dc, rect, (flags & kPaintPressed) ? skin::kAccent : skin::kFace);
}

void TesselDialogPainter::DrawMenuBarText(HDC dc, const RECT& rect, UINT flags) {
    COLORREF colour = (flags & kPaintDisabled)  ? skin::kTextDisabled
                      : (flags & kPaintPressed) ? skin::kAccentText
                                                : skin::kText;
    skin::Text(dc, rect, m_text, colour, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

void TesselDialogPainter::DrawMenuBarSeparator(HDC dc, const RECT& rect, UINT) {
    RECT line = {rect.left, (rect.top + rect.bottom) / 2, rect.right, (rect.top + rect.bottom) / 2 + 1};
    skin::Fill(dc, line, skin::kBorder);
}
