#include "CStaticEdit.h"

LRESULT CStaticEdit::ControlProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return 0;
    case WM_SETCURSOR:
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        return TRUE;
    default:
        return DefaultProc(message, wParam, lParam);
    }
}
