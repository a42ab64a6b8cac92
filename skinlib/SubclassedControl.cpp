#include "SubclassedControl.h"

#include <unordered_map>

#include "framework/WindowMap.h"

namespace skin {
namespace {

// The procedure each subclassed control had before, by window.  The
// window's own procedure is replaced directly: comctl32's subclassing
// keeps its data in a window property, and under Wine each property
// lookup is a server round trip, paid for every message the control gets.
std::unordered_map<HWND, WNDPROC>& PreviousProcedures() {
    static std::unordered_map<HWND, WNDPROC> procedures;
    return procedures;
}

} // namespace

SubclassedControl::~SubclassedControl() {
    if (m_hwnd)
        Detach();
}

void SubclassedControl::OnAttached() {
    auto& previous = PreviousProcedures();
    if (previous.count(m_hwnd))
        return; // already ours (attached again)
    previous[m_hwnd] =
        reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
}

void SubclassedControl::OnDetaching() {
    // The procedure stays in place while the window lives; without an
    // object it passes every message on unchanged.
}

LRESULT SubclassedControl::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallPrevious(m_hwnd, message, wParam, lParam);
}

LRESULT SubclassedControl::CallPrevious(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& previous = PreviousProcedures();
    auto found = previous.find(hwnd);
    if (found == previous.end())
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    return ::CallWindowProcA(found->second, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedControl::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* control = dynamic_cast<SubclassedControl*>(fw::WindowMap::Find(hwnd));
    if (message == WM_NCDESTROY) {
        // The window goes away: let the system finish, then unbind the object.
        LRESULT result = CallPrevious(hwnd, message, wParam, lParam);
        PreviousProcedures().erase(hwnd);
        if (control)
            control->Detach();
        return result;
    }
    if (!control)
        return CallPrevious(hwnd, message, wParam, lParam);
    // Nothing a handler throws may unwind through the system's code.
    try {
        return control->ControlProc(message, wParam, lParam);
    } catch (...) {
        return CallPrevious(hwnd, message, wParam, lParam);
    }
}

} // namespace skin
