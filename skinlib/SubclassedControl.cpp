#include "SubclassedControl.h"

#include <commctrl.h>

namespace skin {
namespace {
constexpr UINT_PTR kSubclassId = 0x7E55;
}

SubclassedControl::~SubclassedControl() {
    if (m_hwnd)
        Detach();
}

void SubclassedControl::OnAttached() {
    ::SetWindowSubclass(m_hwnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void SubclassedControl::OnDetaching() {
    if (::IsWindow(m_hwnd))
        ::RemoveWindowSubclass(m_hwnd, SubclassProc, kSubclassId);
}

LRESULT SubclassedControl::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefSubclassProc(m_hwnd, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedControl::SubclassProc(HWND hwnd, UINT message, WPARAM wParam,
                                                 LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    auto* control = reinterpret_cast<SubclassedControl*>(self);
    if (message == WM_NCDESTROY) {
        // The window goes away: unbind the object, then let the system finish.
        ::RemoveWindowSubclass(hwnd, SubclassProc, kSubclassId);
        LRESULT result = ::DefSubclassProc(hwnd, message, wParam, lParam);
        control->Detach();
        return result;
    }
    return control->ControlProc(message, wParam, lParam);
}

} // namespace skin
