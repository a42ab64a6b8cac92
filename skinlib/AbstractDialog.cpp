#include "AbstractDialog.h"

#include <commctrl.h>

#include "Skin.h"
#include "SubclassedControl.h"
#include "TesselAPI.h"
#include "framework/Gdi.h"
#include "framework/WindowMap.h"

AbstractDialog::AbstractDialog(UINT templateId, HWND parent)
    : fw::Dialog(templateId, parent), m_painter(&m_libraryPainter) {}

AbstractDialog::~AbstractDialog() = default;

void AbstractDialog::SetPainter(TesselDialogPainter* painter) {
    m_painter = painter ? painter : &m_libraryPainter;
    if (m_hwnd)
        ::RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

BOOL AbstractDialog::OnInitDialog() {
    LONG style = ::GetWindowLongA(m_hwnd, GWL_STYLE);
    // The frame is drawn by our own procedure (FrameMessage), not by a
    // comctl32 subclass: that one looks its data up in a window property
    // for every message, which under Wine is a server round trip and
    // doubled the cost of each message the run worker sends the window.
    m_skinFrame = !TesselAPI::IsLunaEnabled() && (style & WS_CAPTION) == WS_CAPTION && !(style & WS_CHILD);
    return TRUE;
}

void AbstractDialog::OnPaint() {
    PAINTSTRUCT ps;
    ::BeginPaint(m_hwnd, &ps);
    ::EndPaint(m_hwnd, &ps);
}

bool AbstractDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (m_skinFrame) {
        bool handled = false;
        result = FrameMessage(message, wParam, lParam, handled);
        if (handled)
            return true;
    }
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client = ClientRect();
        m_painter->DrawClientBackground(reinterpret_cast<HDC>(wParam), client, m_active ? kPaintActive : 0);
        result = TRUE;
        return true;
    }
    case WM_PAINT:
        OnPaint();
        result = 0;
        return true;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        result = OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        return true;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (auto* control = dynamic_cast<skin::OwnerDrawn*>(fw::WindowMap::Find(item->hwndItem))) {
            control->DrawItem(*item);
            result = TRUE;
            return true;
        }
        break;
    }
    }
    return fw::Dialog::OnMessage(message, wParam, lParam, result);
}

LRESULT AbstractDialog::OnCtlColor(HDC dc, HWND) { return skin::ControlColours(dc); }

RECT AbstractDialog::CaptionRect() const {
    RECT window{};
    ::GetWindowRect(m_hwnd, &window);
    POINT origin = {0, 0};
    ::ClientToScreen(m_hwnd, &origin);
    int border = origin.x - window.left;
    return {border, border, window.right - window.left - border, origin.y - window.top};
}

RECT AbstractDialog::CaptionButtonRect(int index) const {
    RECT caption = CaptionRect();
    int size = caption.bottom - caption.top - 4;
    int right = caption.right - 2 - index * (size + 2);
    return {right - size, caption.top + 2, right, caption.top + 2 + size};
}

void AbstractDialog::PaintFrame() {
    fw::WindowDC windowDC(m_hwnd, fw::WindowDC::kWholeWindow);
    if (!windowDC)
        return;
    HDC dc = windowDC.get();
    RECT window{};
    ::GetWindowRect(m_hwnd, &window);
    RECT whole = {0, 0, window.right - window.left, window.bottom - window.top};
    RECT caption = CaptionRect();
    RECT client = ClientRect();
    ::OffsetRect(&client, caption.left, caption.bottom);
    ::ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);

    UINT flags = m_active ? kPaintActive : 0;
    m_painter->DrawNonClient(dc, whole, flags);
    m_painter->DrawTitleBar(dc, caption, flags);
    RECT close = CaptionButtonRect(0);
    m_painter->DrawCloseButton(dc, close, flags);
    RECT textArea = {caption.left + 8, caption.top, close.left - 4, caption.bottom};
    LONG exStyle = ::GetWindowLongA(m_hwnd, GWL_EXSTYLE);
    LONG style = ::GetWindowLongA(m_hwnd, GWL_STYLE);
    if (exStyle & WS_EX_CONTEXTHELP) {
        RECT help = CaptionButtonRect(1);
        m_painter->DrawHelpButton(dc, help, flags);
        textArea.right = help.left - 4;
    } else if (style & WS_MINIMIZEBOX) {
        RECT minimise = CaptionButtonRect(1);
        m_painter->DrawMinButton(dc, minimise, flags);
        textArea.right = minimise.left - 4;
    }
    std::string title = GetText();
    m_painter->SetText(title.c_str());
    m_painter->DrawTitleText(dc, textArea, flags);
    m_painter->SetText(nullptr);
}

LRESULT AbstractDialog::FrameHitTest(LPARAM lParam) {
    RECT window{};
    ::GetWindowRect(m_hwnd, &window);
    POINT p = {static_cast<short>(LOWORD(lParam)) - window.left, static_cast<short>(HIWORD(lParam)) - window.top};
    RECT close = CaptionButtonRect(0), second = CaptionButtonRect(1), caption = CaptionRect();
    if (::PtInRect(&close, p))
        return HTCLOSE;
    if (::PtInRect(&second, p)) {
        if (::GetWindowLongA(m_hwnd, GWL_EXSTYLE) & WS_EX_CONTEXTHELP)
            return HTHELP;
        if (::GetWindowLongA(m_hwnd, GWL_STYLE) & WS_MINIMIZEBOX)
            return HTMINBUTTON;
    }
    if (::PtInRect(&caption, p))
        return HTCAPTION;
    return HTNOWHERE;
}

LRESULT AbstractDialog::FrameMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    switch (message) {
    case WM_NCPAINT:
        ::DefWindowProcA(m_hwnd, message, wParam, lParam);
        PaintFrame();
        return 0;
    case WM_NCACTIVATE:
    case WM_SETTEXT: {
        if (message == WM_NCACTIVATE)
            m_active = wParam != FALSE;
        LRESULT result = ::DefWindowProcA(m_hwnd, message, wParam, lParam);
        PaintFrame();
        return message == WM_NCACTIVATE ? TRUE : result;
    }
    case WM_NCHITTEST: {
        LRESULT hit = FrameHitTest(lParam);
        return hit != HTNOWHERE ? hit : ::DefWindowProcA(m_hwnd, message, wParam, lParam);
    }
    case WM_NCLBUTTONDOWN:
        // Our caption buttons act at once; the system's tracking loop
        // would draw its own buttons over ours.
        if (wParam == HTCLOSE || wParam == HTMINBUTTON || wParam == HTHELP) {
            WPARAM command = wParam == HTCLOSE ? SC_CLOSE : wParam == HTMINBUTTON ? SC_MINIMIZE : SC_CONTEXTHELP;
            ::PostMessageA(m_hwnd, WM_SYSCOMMAND, command, lParam);
            return 0;
        }
        break;
    }
    handled = false;
    return 0;
}
