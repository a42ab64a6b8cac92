#include "UiDriver.h"

#include <commctrl.h>

namespace uidriver {

Process::Process(const std::string& exe, const std::string& arguments, const std::string& directory) {
    std::string commandLine = "\"" + exe + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                          directory.empty() ? nullptr : directory.c_str(), &startup, &info))
        return;
    m_process.reset(info.hProcess);
    fw::Handle thread(info.hThread);
    m_id = info.dwProcessId;
    ::WaitForInputIdle(m_process.get(), 10000);
}

Process::~Process() {
    if (m_process && !WaitForExit(0))
        Kill();
}

bool Process::WaitForExit(DWORD milliseconds) {
    return m_process && ::WaitForSingleObject(m_process.get(), milliseconds) == WAIT_OBJECT_0;
}

int Process::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (m_process)
        ::GetExitCodeProcess(m_process.get(), &code);
    return static_cast<int>(code);
}

void Process::Kill() {
    if (m_process) {
        ::TerminateProcess(m_process.get(), 99);
        ::WaitForSingleObject(m_process.get(), 5000);
    }
}

namespace {
struct Search {
    DWORD pid;
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND hwnd, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->pid && ::IsWindowVisible(hwnd) && (!search->className || ClassName(hwnd) == search->className))
        search->found.push_back(hwnd);
    return TRUE;
}
} // namespace

std::vector<HWND> TopWindows(DWORD pid, const char* className) {
    Search search{pid, className, {}};
    ::EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(DWORD pid, const char* className, const char* title, DWORD milliseconds) {
    HWND result = nullptr;
    WaitUntil(
        [&] {
            for (HWND hwnd : TopWindows(pid, className))
                if (!title || WindowText(hwnd) == title) {
                    result = hwnd;
                    return true;
                }
            return false;
        },
        milliseconds);
    return result;
}

bool WaitForMessageBox(DWORD pid, DWORD milliseconds, MessageBoxView& box) {
    return WaitUntil(
        [&] {
            for (HWND hwnd : TopWindows(pid, "#32770")) {
                HWND text = ::GetDlgItem(hwnd, 0xFFFF);
                if (!text)
                    continue;
                box.hwnd = hwnd;
                box.caption = WindowText(hwnd);
                box.text = WindowText(text);
                box.buttons.clear();
                for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO})
                    if (HWND button = ::GetDlgItem(hwnd, id); button && ::IsWindowVisible(button))
                        box.buttons.push_back(id);
                return true;
            }
            return false;
        },
        milliseconds);
}

std::string WindowText(HWND hwnd) {
    DWORD_PTR size = 0;
    if (!::SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &size))
        return std::string();
    std::string buffer(size + 1, '\0');
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutA(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(&buffer[0]), SMTO_ABORTIFHUNG,
                               5000, &length))
        return std::string();
    buffer.resize(length < buffer.size() ? length : 0);
    return buffer;
}

std::string ClassName(HWND hwnd) {
    char buffer[256] = "";
    ::GetClassNameA(hwnd, buffer, sizeof buffer);
    return buffer;
}

HWND Control(HWND dialog, int id) { return ::GetDlgItem(dialog, id); }
bool IsShown(HWND hwnd) { return hwnd && ::IsWindowVisible(hwnd); }
bool IsEnabledWindow(HWND hwnd) { return hwnd && ::IsWindowEnabled(hwnd); }

void PressButton(HWND dialog, int id) {
    HWND button = ::GetDlgItem(dialog, id);
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void ClickButton(HWND dialog, int id) { ::PostMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

std::vector<HWND> ChildDialogs(HWND parent) {
    std::vector<HWND> dialogs;
    for (HWND child = ::FindWindowExA(parent, nullptr, "#32770", nullptr); child;
         child = ::FindWindowExA(parent, child, "#32770", nullptr))
        dialogs.push_back(child);
    return dialogs;
}

int TabCount(HWND tabs) { return static_cast<int>(::SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0)); }

namespace {
// Wine passes these texts between processes in their wide form.
std::string Narrow(const wchar_t* text) {
    char narrow[1024] = "";
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}
} // namespace

void ClickTab(HWND tabs, int index, int tabWidth) {
    LPARAM at = MAKELPARAM(index * tabWidth + tabWidth / 2, 8);
    ::PostMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(tabs, WM_LBUTTONUP, 0, at);
}

void ChooseListItem(HWND dialog, int id, int index) {
    HWND list = ::GetDlgItem(dialog, id);
    ::SendMessageA(list, CB_SETCURSEL, index, 0);
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

int ListCount(HWND list) { return static_cast<int>(::SendMessageA(list, CB_GETCOUNT, 0, 0)); }

std::string ListText(HWND list, int index) {
    wchar_t text[512] = L"";
    ::SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return Narrow(text);
}

bool WaitForTextContaining(HWND hwnd, const std::string& part, DWORD milliseconds) {
    return WaitUntil([&] { return WindowText(hwnd).find(part) != std::string::npos; }, milliseconds);
}

void SendCommand(HWND dialog, int id) { ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

} // namespace uidriver
