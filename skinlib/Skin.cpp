#include "Skin.h"

#include "framework/Gdi.h"

namespace skin {

HBRUSH FaceBrush() {
    // The skin's shared objects live as long as the program.
    static const fw::Brush brush(::CreateSolidBrush(kFace));
    return brush.get();
}

namespace {
HFONT MakeFont(int weight) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTA font{};
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        font = metrics.lfMessageFont;
    else
        lstrcpynA(font.lfFaceName, "Tahoma", LF_FACESIZE);
    font.lfHeight = -11;
    font.lfWeight = weight;
    return ::CreateFontIndirectA(&font);
}
} // namespace

HFONT UiFont() {
    static const fw::Font font(MakeFont(FW_NORMAL));
    return font.get();
}

HFONT UiBoldFont() {
    static const fw::Font font(MakeFont(FW_BOLD));
    return font.get();
}

LRESULT ControlColours(HDC dc) {
    ::SetBkColor(dc, kFace);
    ::SetTextColor(dc, kText);
    return reinterpret_cast<LRESULT>(FaceBrush());
}

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
    COLORREF old = ::SetBkColor(dc, colour);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(dc, old);
}

void Frame(HDC dc, const RECT& rect, COLORREF colour) {
    RECT edge = {rect.left, rect.top, rect.right, rect.top + 1};
    Fill(dc, edge, colour);
    edge = {rect.left, rect.bottom - 1, rect.right, rect.bottom};
    Fill(dc, edge, colour);
    edge = {rect.left, rect.top, rect.left + 1, rect.bottom};
    Fill(dc, edge, colour);
    edge = {rect.right - 1, rect.top, rect.right, rect.bottom};
    Fill(dc, edge, colour);
}

void Text(HDC dc, const RECT& rect, const char* text, COLORREF colour, UINT format, HFONT font) {
    HGDIOBJ oldFont = ::SelectObject(dc, font ? font : UiFont());
    int oldMode = ::SetBkMode(dc, TRANSPARENT);
    COLORREF oldColour = ::SetTextColor(dc, colour);
    RECT area = rect;
    ::DrawTextA(dc, text, -1, &area, format);
    ::SetTextColor(dc, oldColour);
    ::SetBkMode(dc, oldMode);
    ::SelectObject(dc, oldFont);
}

} // namespace skin
