#include "TesselMessageBox.h"

#include <string>
#include <unordered_map>

#include "Skin.h"
#include "framework/ResourceSource.h"

namespace {

thread_local HHOOK t_hook = nullptr;
// The procedure each open box had before ours.  The procedure is replaced
// directly rather than through comctl32's subclassing, so that a program
// whose only common control is this box (perfmode) does not load comctl32.
thread_local std::unordered_map<HWND, WNDPROC> t_previous;

LRESULT CALLBACK BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto found = t_previous.find(hwnd);
    WNDPROC previous = found != t_previous.end() ? found->second : ::DefDlgProcA;
    switch (message) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return skin::ControlColours(reinterpret_cast<HDC>(wParam));
    case WM_ERASEBKGND: {
        RECT rect;
        ::GetClientRect(hwnd, &rect);
        skin::Fill(reinterpret_cast<HDC>(wParam), rect, skin::kFace);
        return TRUE;
    }
    case WM_NCDESTROY:
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        t_previous.erase(hwnd);
        break;
    }
    return ::CallWindowProcA(previous, hwnd, message, wParam, lParam);
}

// Skins the message box window as soon as it is created.
LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        HWND hwnd = reinterpret_cast<HWND>(wParam);
        char className[16] = "";
        ::GetClassNameA(hwnd, className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0)
            t_previous[hwnd] = reinterpret_cast<WNDPROC>(
                ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BoxProc)));
    }
    return ::CallNextHookEx(t_hook, code, wParam, lParam);
}

} // namespace

int TesselMessageBox(const char* text, const char* caption, UINT type, HWND parent) {
    HHOOK outer = t_hook;
    t_hook = ::SetWindowsHookExA(WH_CBT, CbtProc, nullptr, ::GetCurrentThreadId());
    int result = ::MessageBoxA(parent, text, caption, type);
    if (t_hook)
        ::UnhookWindowsHookEx(t_hook);
    t_hook = outer;
    return result;
}

int TesselMessageBox(UINT textId, const char* caption, UINT type, HWND parent) {
    std::string text = fw::ResourceSource::LoadString(textId);
    return TesselMessageBox(text.c_str(), caption, type, parent);
}
