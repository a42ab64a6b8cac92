#include "ToolsPage.h"

#include "CheckDiskDialog.h"
#include "CheckDiskText.h"
#include "framework/Application.h"
#include "framework/Gdi.h"
#include "framework/ResourceSource.h"
#include "resource_ids.h"
#include "tavilcheck/catalogue/ModeFlags.h"

namespace tavil {

namespace {
constexpr UINT_PTR kLauncherTimer = 4;
constexpr UINT kLauncherPeriodMs = 200;
constexpr int kTextWidth = 450;
constexpr COLORREF kWhite = RGB(255, 255, 255);

ScrollRequest RequestOf(WORD code) {
    switch (code) {
    case SB_LINEUP:
        return ScrollRequest::LineUp;
    case SB_LINEDOWN:
        return ScrollRequest::LineDown;
    case SB_PAGEUP:
        return ScrollRequest::PageUp;
    case SB_PAGEDOWN:
        return ScrollRequest::PageDown;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        return ScrollRequest::Thumb;
    default:
        return ScrollRequest::Other;
    }
}
} // namespace

DWORD DeviceManagerLauncher::Run() {
    const std::string shell = fw::SystemDirectory() + "cmd.exe";
    std::string commandLine = "\"" + shell + "\" /c call devmgmt.msc";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(shell.c_str(), &commandLine[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                          &startup, &info)) {
        ::SendMessageA(m_page, WM_LAUNCH_FAILED, 0, 0);
        return 1;
    }
    fw::Handle process(info.hProcess), thread(info.hThread);
    ::WaitForSingleObject(process.get(), INFINITE);
    return 0;
}

FW_BEGIN_MESSAGE_MAP(ToolsPage, PageDialog)
    FW_ON_COMMAND(IDC_DEVICE_MANAGER_OPEN, OnDeviceManager)
    FW_ON_COMMAND(IDC_CHECK_DISK_OPEN, OnCheckDisk)
    FW_ON_MESSAGE(WM_LAUNCH_FAILED, OnLaunchFailed)
    FW_ON_MESSAGE(WM_TIMER, OnTimer)
    FW_ON_NOTIFY(EN_REQUESTRESIZE, IDC_TOOLS_TEXT, OnTextResize)
    FW_ON_MESSAGE(WM_SIZE, OnSize)
    FW_ON_MESSAGE(WM_VSCROLL, OnVerticalScroll)
    FW_ON_MESSAGE(WM_ERASEBKGND, OnEraseBackground)
    FW_ON_MESSAGE(WM_CTLCOLORDLG, OnControlColour)
FW_END_MESSAGE_MAP()

ToolsPage::ToolsPage(uint32_t modeFlags, std::string deviceManagerText, std::string checkDiskText)
    : PageDialog(IDD_TOOLS_PAGE), m_modeFlags(modeFlags), m_deviceManagerText(std::move(deviceManagerText)),
      m_checkDiskText(std::move(checkDiskText)) {}

ToolsPage::~ToolsPage() {
    // Device Manager may still be open when the program ends: its launcher
    // only waits for it, so it is left to end with the process.
    if (m_launcher && m_launcher->IsRunning())
        (void)m_launcher.release();
}

void ToolsPage::DoDataExchange() {
    PageDialog::DoDataExchange();
    BindItem(IDC_TOOLS_TEXT, m_text);
    BindItem(IDC_DEVICE_MANAGER_OPEN, m_deviceManagerButton);
    BindItem(IDC_CHECK_DISK_OPEN, m_checkDiskButton);
}

BOOL ToolsPage::OnInitDialog() {
    PageDialog::OnInitDialog();
    RECT created{};
    ::GetWindowRect(m_hwnd, &created);
    m_contentHeight = created.bottom - created.top;
    m_text.SetBackground(kWhite);
    m_text.Move(0, 0, kTextWidth, 100);
    RECT margins = {25, 10, 420, 100};
    m_text.Send(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&margins));
    m_text.Send(EM_SETEVENTMASK, 0, m_text.Send(EM_GETEVENTMASK) | ENM_REQUESTRESIZE);
    std::string open = fw::ResourceSource::LoadString(IDS_OPEN);
    m_deviceManagerButton.SetText(open);
    m_checkDiskButton.SetText(open);
    m_scrollBar.HookWindow(m_hwnd);
    return TRUE;
}

int ToolsPage::FitText() {
    m_requestedHeight = 0;
    m_text.Send(EM_REQUESTRESIZE);
    m_text.SetSize(kTextWidth, m_requestedHeight);
    return m_requestedHeight;
}

void ToolsPage::LayOutTools() {
    m_text.Send(EM_SETSEL, 0, 0);
    m_text.StreamIn(m_deviceManagerText, true);
    int height = FitText();
    m_deviceManagerButton.Move(470, height - 34, 80, 22);
    m_text.Send(EM_SETSEL, -1, -1);
    m_text.StreamIn(m_checkDiskText, true);
    height = FitText();
    m_checkDiskButton.Move(470, height - 34, 80, 22);
}

// The text area says the height its text needs: the bottom of the text in
// the control's own coordinates, so that the top margin is counted too
// (Wine's rich edit starts the rectangle at the margin).
LRESULT ToolsPage::OnTextResize(WPARAM, LPARAM lParam) {
    const auto* request = reinterpret_cast<const REQRESIZE*>(lParam);
    m_requestedHeight = request->rc.bottom;
    return 0;
}

LRESULT ToolsPage::OnSize(WPARAM, LPARAM size) {
    m_clientHeight = HIWORD(size);
    SCROLLINFO bar{};
    bar.cbSize = sizeof bar;
    bar.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    bar.nMax = m_contentHeight;
    bar.nPage = static_cast<UINT>(m_clientHeight);
    ::SetScrollInfo(m_hwnd, SB_VERT, &bar, TRUE);
    if (m_scrollPosition != 0)
        ::ScrollWindowEx(m_hwnd, 0, m_scrollPosition, nullptr, nullptr, nullptr, nullptr,
                         SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    m_scrollPosition = 0;
    return 0;
}

LRESULT ToolsPage::OnVerticalScroll(WPARAM wParam, LPARAM) {
    SCROLLINFO bar{};
    bar.cbSize = sizeof bar;
    bar.fMask = SIF_TRACKPOS;
    ::GetScrollInfo(m_hwnd, SB_VERT, &bar);
    const int step =
        ToolsScrollStep(RequestOf(LOWORD(wParam)), m_contentHeight - m_clientHeight, m_scrollPosition, bar.nTrackPos);
    if (step == 0)
        return 0;
    m_scrollPosition += step;
    ::SetScrollPos(m_hwnd, SB_VERT, m_scrollPosition, TRUE);
    ::ScrollWindowEx(m_hwnd, 0, -step, nullptr, nullptr, nullptr, nullptr,
                     SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    m_scrollBar.PaintScrollBars(true);
    return 0;
}

LRESULT ToolsPage::OnEraseBackground(WPARAM dc, LPARAM) {
    RECT client = ClientRect();
    fw::Brush white(::CreateSolidBrush(kWhite));
    ::FillRect(reinterpret_cast<HDC>(dc), &client, white.get());
    return 1;
}

LRESULT ToolsPage::OnControlColour(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH)); }

// Called when Device Manager's "Open" is pressed.
LRESULT ToolsPage::OnDeviceManager(WPARAM, LPARAM) {
    if (m_launcher)
        return 0; // one Device Manager at a time
    m_deviceManagerButton.Enable(false);
    m_launcher = std::make_unique<DeviceManagerLauncher>(m_hwnd);
    if (!m_launcher->Start())
        m_launcher.reset();
    ::SetTimer(m_hwnd, kLauncherTimer, kLauncherPeriodMs, nullptr);
    return 0;
}

LRESULT ToolsPage::OnLaunchFailed(WPARAM, LPARAM) {
    ::MessageBoxA(m_hwnd, "createprocess failed.", nullptr, MB_OK);
    return 0;
}

LRESULT ToolsPage::OnTimer(WPARAM timer, LPARAM) {
    if (timer != kLauncherTimer)
        return 0;
    if (m_launcher) {
        if (!m_launcher->IsRunning())
            m_launcher.reset(); // the next tick gives the button back
        return 0;
    }
    ::KillTimer(m_hwnd, kLauncherTimer);
    const bool keepDisabled =
        (m_modeFlags & FLAG_RECOVERY) || ((m_modeFlags & FLAG_SERVICE) && (m_modeFlags & FLAG_WINDIR_OTHER));
    m_deviceManagerButton.Enable(!keepDisabled);
    return 0;
}

// Called when Check Hard Disk's "Open" is pressed.
LRESULT ToolsPage::OnCheckDisk(WPARAM, LPARAM) {
    CheckDiskDialog dialog(::GetAncestor(m_hwnd, GA_ROOT));
    dialog.modeFlags = m_modeFlags;
    dialog.DoModal();
    return 0;
}

} // namespace tavil
