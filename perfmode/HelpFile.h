// perfmode's compiled HTML Help file, shown through HTML Help (hhctrl.ocx,
// loaded when first needed).  When HTML Help cannot be loaded the calls
// do nothing.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Handles.h"

namespace perfmode {

class HelpFile {
public:
    void SetPath(const std::string& path) { m_path = path; }
    const std::string& path() const { return m_path; }

    // The application's help request: HELP_CONTEXT shows the table of
    // contents, HELP_FINDER the index; other requests do nothing.
    void WinHelp(HWND caller, DWORD_PTR data, UINT command);
    // The text popup `textId` of the popup file `target` at `where`
    // (screen pixels), raised to the top.
    void ShowPopup(HWND caller, const std::string& target, UINT textId, POINT where);

private:
    using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
    HWND Call(HWND caller, const char* file, UINT command, DWORD_PTR data);

    std::string m_path;
    fw::Library m_htmlHelp;
    HtmlHelpFunction m_function = nullptr;
    bool m_tried = false;
};

} // namespace perfmode
