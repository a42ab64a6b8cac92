// The skin's palette and fonts: one flat, light look for every skinned
// window of both programs.
#pragma once

#include <windows.h>

namespace skin {

constexpr COLORREF kFace = RGB(241, 243, 246);     // dialog background
constexpr COLORREF kFaceDark = RGB(224, 229, 235); // buttons, tracks
constexpr COLORREF kBorder = RGB(170, 178, 189);
constexpr COLORREF kText = RGB(33, 37, 41);
constexpr COLORREF kTextDisabled = RGB(150, 156, 163);
constexpr COLORREF kAccent = RGB(0, 94, 158);     // title bar, selection, progress
constexpr COLORREF kAccentDark = RGB(0, 66, 112); // pressed
constexpr COLORREF kAccentText = RGB(255, 255, 255);

// Brushes and the user-interface font, created once per process.
HBRUSH FaceBrush();
HFONT UiFont();
HFONT UiBoldFont();

// Answer to WM_CTLCOLOR*: sets the skin's text and background colours on
// `dc` and returns the background brush.
LRESULT ControlColours(HDC dc);

// Fills `rect` with `colour`.
void Fill(HDC dc, const RECT& rect, COLORREF colour);
// Draws a one-pixel frame around `rect`.
void Frame(HDC dc, const RECT& rect, COLORREF colour);
// Draws `text` in `rect` with DrawText `format`, in `colour`, transparent.
void Text(HDC dc, const RECT& rect, const char* text, COLORREF colour, UINT format, HFONT font = nullptr);

} // namespace skin
