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

namespace {

// A block of memory in the process of a window, for the records of
// messages that carry pointers.
class RemoteBlock {
public:
    RemoteBlock(HWND window, size_t size) : m_size(size) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(window, &pid);
        m_process.reset(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
        if (m_process)
            m_address = ::VirtualAllocEx(m_process.get(), nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBlock() {
        if (m_address)
            ::VirtualFreeEx(m_process.get(), m_address, 0, MEM_RELEASE);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;
    bool valid() const { return m_address != nullptr; }
    char* address() const { return static_cast<char*>(m_address); }
    bool Put(size_t offset, const void* data, size_t size) {
        return offset + size <= m_size &&
               ::WriteProcessMemory(m_process.get(), address() + offset, data, size, nullptr) != 0;
    }
    bool Get(size_t offset, void* data, size_t size) {
        return offset + size <= m_size &&
               ::ReadProcessMemory(m_process.get(), address() + offset, data, size, nullptr) != 0;
    }

private:
    fw::Handle m_process;
    void* m_address = nullptr;
    size_t m_size;
};

} // namespace

namespace {
struct DescendantSearch {
    const char* className;
    std::vector<HWND> found;
};
BOOL CALLBACK CollectDescendant(HWND hwnd, LPARAM context) {
    auto* search = reinterpret_cast<DescendantSearch*>(context);
    if (::lstrcmpiA(ClassName(hwnd).c_str(), search->className) == 0)
        search->found.push_back(hwnd);
    return TRUE;
}
} // namespace

std::vector<HWND> Descendants(HWND parent, const char* className) {
    DescendantSearch search{className, {}};
    ::EnumChildWindows(parent, CollectDescendant, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string TextWithLineFeeds(HWND control) {
    const std::string text = WindowText(control);
    std::string lines;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] != '\r')
            lines += text[i];
        else if (i + 1 >= text.size() || text[i + 1] != '\n')
            lines += '\n';
    return lines;
}

int ListViewCount(HWND list) { return static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

std::string ListViewText(HWND list, int row) {
    constexpr size_t kTextSize = 512;
    RemoteBlock block(list, sizeof(LVITEMA) + kTextSize);
    if (!block.valid())
        return {};
    LVITEMA item{};
    item.iSubItem = 0;
    item.pszText = block.address() + sizeof item;
    item.cchTextMax = kTextSize;
    char text[kTextSize] = "";
    if (!block.Put(0, &item, sizeof item))
        return {};
    ::SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(block.address()));
    block.Get(sizeof item, text, kTextSize - 1);
    return text;
}

void SelectListViewRow(HWND list, int row) {
    RemoteBlock block(list, sizeof(LVITEMA));
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    if (!block.valid() || !block.Put(0, &item, sizeof item))
        return;
    ::SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(block.address()));
    if (row < 0)
        return;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    block.Put(0, &item, sizeof item);
    ::SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(block.address()));
}

bool IsListViewRowChecked(HWND list, int row) {
    return (::SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) ==
           INDEXTOSTATEIMAGEMASK(2);
}

void CheckListViewRow(HWND list, int row, bool checked) {
    RemoteBlock block(list, sizeof(LVITEMA));
    LVITEMA item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    if (block.valid() && block.Put(0, &item, sizeof item))
        ::SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(block.address()));
}

namespace {

// The rectangle of `row` (LVM_GETITEMRECT with `part`) or of its cell in
// `column` (LVM_GETSUBITEMRECT), in the list's client pixels.
bool ListViewRectangle(HWND list, int row, int column, int part, RECT& rect) {
    RemoteBlock block(list, sizeof(RECT));
    rect = RECT{part, column, 0, 0};
    if (!block.valid() || !block.Put(0, &rect, sizeof rect))
        return false;
    const UINT message = column > 0 ? LVM_GETSUBITEMRECT : LVM_GETITEMRECT;
    return ::SendMessageA(list, message, row, reinterpret_cast<LPARAM>(block.address())) &&
           block.Get(0, &rect, sizeof rect);
}

void ClickAt(HWND list, int x, int y) {
    const LPARAM at = MAKELPARAM(x, y);
    ::PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(list, WM_LBUTTONUP, 0, at);
}

} // namespace

void ClickListViewCell(HWND list, int row, int column) {
    RECT cell{};
    if (ListViewRectangle(list, row, column, LVIR_BOUNDS, cell))
        ClickAt(list, (cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
}

void ClickListViewRow(HWND list, int row) {
    RECT label{};
    if (ListViewRectangle(list, row, 0, LVIR_LABEL, label))
        ClickAt(list, label.left + 4, (label.top + label.bottom) / 2);
}

void SendCommand(HWND dialog, int id) { ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

} // namespace uidriver
