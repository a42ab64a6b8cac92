// The UI driver of the end-to-end tests: starts a program, finds its
// windows, reads and answers message boxes, reads control texts and states
// and presses controls, all from outside the program's process with
// messages that Wine passes between processes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/Handles.h"

namespace uidriver {

// A started program.  The destructor kills it if it still runs.
class Process {
public:
    // Starts `exe` with `arguments` (appended after the quoted program
    // path) in `directory`.  started() tells whether it worked.
    Process(const std::string& exe, const std::string& arguments, const std::string& directory);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool started() const { return static_cast<bool>(m_process); }
    DWORD id() const { return m_id; }
    // Waits for the end; true when it ended within `milliseconds`.
    bool WaitForExit(DWORD milliseconds);
    // The exit code as a signed value (-1 for 0xFFFFFFFF).
    int ExitCode() const;
    void Kill();

private:
    fw::Handle m_process;
    DWORD m_id = 0;
};

// The visible top-level windows of process `pid` (of class `className`
// when it is not null).
std::vector<HWND> TopWindows(DWORD pid, const char* className = nullptr);

// Polls until a visible top-level window of `pid` with the class (and,
// when given, the title) appears; nullptr after `milliseconds`.
HWND WaitForWindow(DWORD pid, const char* className, const char* title, DWORD milliseconds);

// A message box as the user sees it.
struct MessageBoxView {
    HWND hwnd = nullptr;
    std::string caption;
    std::string text;         // the static control 65535
    std::vector<int> buttons; // ids of the standard buttons it shows
};
// Waits for a message box (a "#32770" window with a static 65535) of `pid`.
bool WaitForMessageBox(DWORD pid, DWORD milliseconds, MessageBoxView& box);

std::string WindowText(HWND hwnd);
std::string ClassName(HWND hwnd);
HWND Control(HWND dialog, int id);
bool IsShown(HWND hwnd);
bool IsEnabledWindow(HWND hwnd);

// Presses the button `id` of `dialog` (the button notifies its dialog as
// a click would).
void PressButton(HWND dialog, int id);
// Clicks the button `id` of `dialog` as the mouse would (BM_CLICK): a radio
// button or check box changes its state, then notifies its dialog.
void ClickButton(HWND dialog, int id);
// Sends a dialog command without a control (IDOK for Enter, IDCANCEL for Esc).
void SendCommand(HWND dialog, int id);

// Every window below `parent` (children, their children, ...) of the
// class `className`.
std::vector<HWND> Descendants(HWND parent, const char* className);
// The text of a rich-edit or edit control with its line ends as "\n"
// (rich edit ends paragraphs with CR or CR LF).
std::string TextWithLineFeeds(HWND control);

// The child dialogs (pages) of `parent`, in their window order.
std::vector<HWND> ChildDialogs(HWND parent);
// The number of tabs of a tab control.
int TabCount(HWND tabs);
// Clicks tab `index` of a tab control whose tabs are `tabWidth` pixels
// wide; the control then notifies its parent as for a user's click.
void ClickTab(HWND tabs, int index, int tabWidth);
// Chooses item `index` of the drop-down list `id` of `dialog`, as a user's
// pick would (the dialog gets CBN_SELCHANGE).
void ChooseListItem(HWND dialog, int id, int index);
int ListCount(HWND list);
std::string ListText(HWND list, int index);
// List views (report view).  Their messages carry pointers that Wine does
// not pass between processes, so these put the message's record into the
// list's own process, as accessibility tools do.
int ListViewCount(HWND list);
std::string ListViewText(HWND list, int row);
// Selects `row` alone (the list notifies its parent as for a click); -1
// clears the selection.
void SelectListViewRow(HWND list, int row);

// The check box of `row` in a list with check boxes.
bool IsListViewRowChecked(HWND list, int row);
void CheckListViewRow(HWND list, int row, bool checked);
// Clicks the cell of `row` and `column` with the mouse.
void ClickListViewCell(HWND list, int row, int column);
// Clicks `row` with the mouse, as a user does (the list takes the focus).
void ClickListViewRow(HWND list, int row);

// Polls until the window's text contains `part`.
bool WaitForTextContaining(HWND hwnd, const std::string& part, DWORD milliseconds);

// Polls `condition` every 20 ms; true when it held within `milliseconds`.
template <class Condition> bool WaitUntil(Condition condition, DWORD milliseconds) {
    DWORD start = ::GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (::GetTickCount() - start >= milliseconds)
            return false;
        ::Sleep(20);
    }
}

} // namespace uidriver
