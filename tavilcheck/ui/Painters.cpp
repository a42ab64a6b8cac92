#include "Painters.h"

#include "skinlib/Skin.h"

namespace tavil {

void BandDialogPainter::DrawClientBackground(HDC dc, const RECT& rect, UINT flags) {
    // The library's background above the band, white from bandTop down.
    TesselDialogPainter::DrawClientBackground(dc, rect, flags);
    RECT band = {0, bandTop, 640, rect.bottom};
    skin::Fill(dc, band, RGB(0xFF, 0xFF, 0xFF));
    RECT line = {rect.left, rect.top, rect.right, rect.top + 1};
    skin::Fill(dc, line, TestPagePainter::kPageColour);
}

void TestPagePainter::DrawClientBackground(HDC dc, const RECT& rect, UINT) {
    skin::Fill(dc, rect, kPageColour);
    RECT frame = {11, 31, 621, 317};
    skin::Fill(dc, frame, kFrameColour);
}

} // namespace tavil
