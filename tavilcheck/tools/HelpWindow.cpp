#include "HelpWindow.h"

#include <shellapi.h>
#include <wininet.h>

#include "framework/ResourceSource.h"
#include "framework/TextUtil.h"
#include "resource_ids.h"
#include "sdk/tavil_module.h"
#include "skinlib/TesselMessageBox.h"
#include "tavilcheck/catalogue/ModeFlags.h"

namespace tavil {

namespace {
constexpr int kWidth = 397, kHeight = 465;
constexpr DWORD kLinkSize = 1024;
} // namespace

bool SystemHasInternetConnection() {
    DWORD state = 0;
    return ::InternetGetConnectedState(&state, 0) != FALSE;
}

FW_BEGIN_MESSAGE_MAP(HelpWindow, TesselDialog)
    FW_ON_COMMAND(IDC_HELP_OK, OnOkButton)
    FW_ON_COMMAND(IDC_SUPPORT_SITE, OnSupport)
FW_END_MESSAGE_MAP()

HelpWindow::HelpWindow(HWND mainWindow, uint32_t modeFlags, std::string helpText, std::string settingsPath)
    : TesselDialog(IDD_HELP_WINDOW, mainWindow), m_mainWindow(mainWindow), m_modeFlags(modeFlags),
      m_helpText(std::move(helpText)), m_settingsPath(std::move(settingsPath)) {}

void HelpWindow::DoDataExchange() {
    TesselDialog::DoDataExchange();
    BindItem(IDC_HELP_TEXT, m_text);
    BindItem(IDC_HELP_OK, m_ok);
    BindItem(IDC_SUPPORT_SITE, m_support);
}

BOOL HelpWindow::OnInitDialog() {
    TesselDialog::OnInitDialog();
    SizeAndCentre(kWidth, kHeight);
    SetText(fw::ResourceSource::LoadString(IDS_HELP));
    m_text.Move(12, 12, 365, 365);
    RECT margins = {10, 0, 347, 365};
    m_text.Send(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&margins));
    m_text.UseFont("MS Sans Serif", 12);
    m_ok.Move(295, 396, 80, 22);
    m_support.Move(12, 396, 180, 22);
    m_support.SetText(fw::ResourceSource::LoadString(IDS_SUPPORT_WEBSITE));
    m_support.Show(!(m_modeFlags & FLAG_RECOVERY));
    m_text.StreamIn(m_helpText, false);
    m_scrollBars.HookWindow(m_text.hwnd());
    ::ShowWindow(m_hwnd, SW_SHOW);
    m_scrollBars.PaintScrollBars(true);
    // The focus on OK: given to the text, the dialog would select it all.
    ::SetFocus(m_ok.hwnd());
    return FALSE;
}

void HelpWindow::OnOK() { ::SendMessageA(m_mainWindow, TM_HELP_CLOSED, 0, 0); }

LRESULT HelpWindow::OnOkButton(WPARAM, LPARAM) {
    OnOK();
    return 0;
}

// Called when "TAVIL Support Website" is pressed.
LRESULT HelpWindow::OnSupport(WPARAM, LPARAM) {
    const std::string caption = fw::ResourceSource::LoadString(IDS_TITLE_BUNDLE);
    if (!online || !online()) {
        TesselMessageBox("Please make sure to have an active internet connection! --- (E-NORMAL-009)", caption.c_str(),
                         MB_OK | MB_ICONEXCLAMATION, m_hwnd);
        return 0;
    }
    char link[kLinkSize] = "";
    ::GetPrivateProfileStringA("SUPPORT", "link", "about:blank", link, kLinkSize, m_settingsPath.c_str());
    // An empty link is as unconfigured as the default.
    if (fw::Contains(link, "about:blank") || fw::Trim(link).empty()) {
        TesselMessageBox("Invalid ini file! --- (E-NORMAL-008)", caption.c_str(), MB_OK | MB_ICONEXCLAMATION, m_hwnd);
        return 0;
    }
    ::ShellExecuteA(m_hwnd, "open", link, nullptr, nullptr, SW_SHOWNORMAL);
    return 0;
}

} // namespace tavil
