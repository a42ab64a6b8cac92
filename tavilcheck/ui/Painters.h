// The program's own dialog painters: the main window's white band under
// the pages, and the test page's grey frame around its views.
#pragma once

#include "skinlib/TesselDialogPainter.h"

namespace tavil {

class BandDialogPainter : public TesselDialogPainter {
public:
    int bandTop = 0; // set by the main window's layout
    void DrawClientBackground(HDC dc, const RECT& rect, UINT flags) override;
};

class TestPagePainter : public TesselDialogPainter {
public:
    static constexpr COLORREF kPageColour = 0xE0DDD7;
    static constexpr COLORREF kFrameColour = 0xBBB1AA;
    void DrawClientBackground(HDC dc, const RECT& rect, UINT flags) override;
};

} // namespace tavil
