#include "HelpFile.h"

#include <htmlhelp.h>

namespace perfmode {

HWND HelpFile::Call(HWND caller, const char* file, UINT command, DWORD_PTR data) {
    if (!m_tried) {
        m_tried = true;
        m_htmlHelp.reset(::LoadLibraryA("hhctrl.ocx"));
        if (m_htmlHelp)
            m_function = reinterpret_cast<HtmlHelpFunction>(
                reinterpret_cast<void*>(::GetProcAddress(m_htmlHelp.get(), "HtmlHelpA")));
    }
    return m_function ? m_function(caller, file, command, data) : nullptr;
}

void HelpFile::WinHelp(HWND caller, DWORD_PTR, UINT command) {
    if (command == HELP_CONTEXT)
        Call(caller, m_path.c_str(), HH_DISPLAY_TOC, 0);
    else if (command == HELP_FINDER)
        Call(caller, m_path.c_str(), HH_DISPLAY_INDEX, 0);
}

void HelpFile::ShowPopup(HWND caller, const std::string& target, UINT textId, POINT where) {
    HH_POPUP popup{};
    popup.cbStruct = sizeof popup;
    popup.hinst = nullptr;
    popup.idString = textId;
    popup.pszText = nullptr;
    popup.pt = where;
    popup.clrForeground = static_cast<COLORREF>(-1);
    popup.clrBackground = static_cast<COLORREF>(-1);
    popup.rcMargins = {-1, -1, -1, -1};
    popup.pszFont = nullptr;
    HWND shown = Call(caller, target.c_str(), HH_DISPLAY_TEXT_POPUP, reinterpret_cast<DWORD_PTR>(&popup));
    if (shown)
        ::SetWindowPos(shown, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

} // namespace perfmode
