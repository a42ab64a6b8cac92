#include "Dialog.h"

#include "ResourceSource.h"
#include "WindowMap.h"

namespace fw {

const MessageMapEntry Dialog::s_messageEntries[] = {{0, 0, 0, nullptr}};
const MessageMap Dialog::s_messageMap = {nullptr, Dialog::s_messageEntries};

const MessageMapEntry* FindHandler(const MessageMap* map, UINT message, WPARAM wParam, LPARAM lParam) {
    UINT id = 0, code = 0;
    if (message == WM_COMMAND) {
        id = LOWORD(wParam);
        code = HIWORD(wParam);
    } else if (message == WM_NOTIFY && lParam) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        id = static_cast<UINT>(header->idFrom);
        code = header->code;
    }
    for (; map; map = map->base) {
        for (const MessageMapEntry* e = map->entries; e->handler; ++e) {
            if (e->message != message)
                continue;
            if ((message == WM_COMMAND || message == WM_NOTIFY) && (e->id != id || e->code != code))
                continue;
            return e;
        }
    }
    return nullptr;
}

Dialog::~Dialog() {
    if (m_hwnd && !m_modal && ::IsWindow(m_hwnd)) {
        HWND hwnd = m_hwnd;
        Detach();
        ::DestroyWindow(hwnd);
    }
}

INT_PTR Dialog::DoModal() {
    m_modal = true;
    HMODULE module = ResourceSource::DialogModule(m_templateId);
    return ::DialogBoxParamA(module, MAKEINTRESOURCEA(m_templateId), m_parent, DialogProc,
                             reinterpret_cast<LPARAM>(this));
}

bool Dialog::Create(HWND parent) {
    m_modal = false;
    m_parent = parent;
    HMODULE module = ResourceSource::DialogModule(m_templateId);
    HWND hwnd = ::CreateDialogParamA(module, MAKEINTRESOURCEA(m_templateId), parent, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    return hwnd != nullptr;
}

void Dialog::EndDialog(INT_PTR result) {
    if (m_modal)
        ::EndDialog(m_hwnd, result);
    else
        ::DestroyWindow(m_hwnd);
}

LRESULT Dialog::Default() {
    if (m_defaultRequested)
        *m_defaultRequested = true;
    return 0;
}

LRESULT Dialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const MessageMapEntry* entry = FindHandler(GetMessageMap(), message, wParam, lParam))
        return (this->*entry->handler)(wParam, lParam);
    switch (message) {
    case WM_INITDIALOG:
        DoDataExchange();
        return OnInitDialog();
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDOK) {
            OnOK();
            return 0;
        }
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return 0;
        }
        break;
    case WM_DESTROY:
        OnDestroy();
        break;
    }
    LRESULT result = 0;
    if (OnMessage(message, wParam, lParam, result))
        return result;
    return Default();
}

bool Dialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* dialog = nullptr;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<Dialog*>(lParam);
        dialog->Attach(hwnd);
    } else {
        dialog = static_cast<Dialog*>(WindowMap::Find(hwnd));
    }
    if (!dialog)
        return FALSE;

    bool defaultRequested = false;
    bool* outer = dialog->m_defaultRequested; // messages nest: keep the caller's flag
    dialog->m_defaultRequested = &defaultRequested;
    LRESULT result = 0;
    // Nothing a handler throws (an allocation that failed) may unwind
    // through the system's code: the message is left to the system instead.
    try {
        result = dialog->WindowProc(message, wParam, lParam);
    } catch (...) {
        defaultRequested = true;
        dialog->OnHandlerFailure(std::current_exception());
    }
    dialog->m_defaultRequested = outer;

    if (message == WM_NCDESTROY)
        dialog->Detach();
    if (defaultRequested)
        return message == WM_INITDIALOG ? TRUE : FALSE;

    switch (message) {
    // These messages return their value directly from a dialog procedure.
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return static_cast<INT_PTR>(result);
    default:
        // Reading the result slot is cheap; writing it is a server round
        // trip under Wine, and most results are the 0 already there.
        if (::GetWindowLongPtrA(hwnd, DWLP_MSGRESULT) != result)
            ::SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
}

} // namespace fw
