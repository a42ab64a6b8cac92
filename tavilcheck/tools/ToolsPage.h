// The Tools page: the Device Manager and Check Hard Disk texts, each with
// an "Open" button beside its last lines, on a white page with its own
// scroll bar.  Device Manager is started by a launcher thread that waits
// for it; Check Hard Disk is a modal dialog.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/Thread.h"
#include "skinlib/TesselButton.h"
#include "skinlib/TesselScrollBarPaintHook.h"
#include "tavilcheck/ui/LogRichEdit.h"
#include "tavilcheck/ui/PageDialog.h"

namespace tavil {

// Starts "cmd.exe /c call devmgmt.msc" (the system directory's cmd.exe)
// with no console window and waits for it to end.  A start that fails is
// reported by asking `page` with WM_LAUNCH_FAILED.
class DeviceManagerLauncher : public fw::Thread {
public:
    explicit DeviceManagerLauncher(HWND page) : m_page(page) {}

protected:
    DWORD Run() override;

private:
    HWND m_page;
};

class ToolsPage : public PageDialog {
public:
    ToolsPage(uint32_t modeFlags, std::string deviceManagerText, std::string checkDiskText);
    ~ToolsPage() override;
    // Places the texts and their buttons (the main window calls it once it
    // has made the page).
    void LayOutTools();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange() override;

private:
    FW_DECLARE_MESSAGE_MAP(ToolsPage)
    LRESULT OnDeviceManager(WPARAM, LPARAM);
    LRESULT OnCheckDisk(WPARAM, LPARAM);
    LRESULT OnLaunchFailed(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnTextResize(WPARAM, LPARAM);
    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnVerticalScroll(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnControlColour(WPARAM, LPARAM);
    // Asks the text area for the height it needs and sizes it so.
    int FitText();

    uint32_t m_modeFlags;
    std::string m_deviceManagerText, m_checkDiskText;
    LogRichEdit m_text;
    TesselButton m_deviceManagerButton, m_checkDiskButton;
    TesselScrollBarPaintHook m_scrollBar;
    int m_contentHeight = 0, m_clientHeight = 0, m_scrollPosition = 0;
    int m_requestedHeight = 0; // the text area's last resize request
    std::unique_ptr<DeviceManagerLauncher> m_launcher;
};

// Sent by the launcher thread when Device Manager could not be started.
constexpr UINT WM_LAUNCH_FAILED = WM_APP + 40;

} // namespace tavil
