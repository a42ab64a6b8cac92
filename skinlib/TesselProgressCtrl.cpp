#include "TesselProgressCtrl.h"

#include <commctrl.h>

#include "Skin.h"

namespace {
constexpr int kStripe = 16; // width of one stripe period in pixels
}

void TesselProgressCtrl::SetRange(int lower, int upper) { Send(PBM_SETRANGE32, lower, upper); }
void TesselProgressCtrl::SetPos(int position) { Send(PBM_SETPOS, position); }
int TesselProgressCtrl::GetPos() const { return static_cast<int>(Send(PBM_GETPOS)); }
void TesselProgressCtrl::Animation() { m_phase = (m_phase + 2) % kStripe; }

LRESULT TesselProgressCtrl::ControlProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND)
        return TRUE;
    if (message != WM_PAINT)
        return DefaultProc(message, wParam, lParam);

    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hwnd, &ps);
    RECT rect = ClientRect();
    skin::Fill(dc, rect, skin::kFaceDark);
    skin::Frame(dc, rect, skin::kBorder);

    PBRANGE range{};
    Send(PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    int span = range.iHigh - range.iLow;
    int position = GetPos() - range.iLow;
    if (span > 0 && position > 0) {
        RECT bar = rect;
        ::InflateRect(&bar, -2, -2);
        long long width = static_cast<long long>(bar.right - bar.left) * position / span;
        bar.right = bar.left + static_cast<int>(width < bar.right - bar.left ? width : bar.right - bar.left);
        skin::Fill(dc, bar, skin::kAccent);
        // Light stripes that move by one step per Animation call.
        for (int x = bar.left - kStripe + m_phase; x < bar.right; x += kStripe) {
            RECT stripe = {x < bar.left ? bar.left : x, bar.top, x + kStripe / 2, bar.bottom};
            if (stripe.right > bar.right)
                stripe.right = bar.right;
            if (stripe.right > stripe.left)
                skin::Fill(dc, stripe, RGB(30, 120, 180));
        }
    }
    ::EndPaint(m_hwnd, &ps);
    return 0;
}
