#include "TesselMessageBox.h"

#include <commctrl.h>
#include <string>

#include "Skin.h"
#include "framework/ResourceSource.h"

namespace {

constexpr UINT_PTR kBoxSubclassId = 0x3B0C;
thread_local HHOOK t_hook = nullptr;

LRESULT CALLBACK BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
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
        ::RemoveWindowSubclass(hwnd, BoxProc, kBoxSubclassId);
        break;
    }
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

// Skins the message box window as soon as it is created.
LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        HWND hwnd = reinterpret_cast<HWND>(wParam);
        char className[16] = "";
        ::GetClassNameA(hwnd, className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0)
            ::SetWindowSubclass(hwnd, BoxProc, kBoxSubclassId, 0);
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
