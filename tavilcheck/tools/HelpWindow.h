// The help window of the main window's Help button: modeless, owned by the
// main window, showing the help text, with OK (which tells the main window
// with TM_HELP_CLOSED) and a button that opens the support website named
// in the settings file.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "skinlib/TesselButton.h"
#include "skinlib/TesselDialog.h"
#include "skinlib/TesselScrollBarPaintHook.h"
#include "tavilcheck/ui/LogRichEdit.h"

namespace tavil {

// Whether the computer has an internet connection: InternetGetConnectedState
// in the product; tests give their own answer.
using ConnectionCheck = std::function<bool()>;
bool SystemHasInternetConnection();

class HelpWindow : public TesselDialog {
public:
    HelpWindow(HWND mainWindow, uint32_t modeFlags, std::string helpText, std::string settingsPath);
    ConnectionCheck online = SystemHasInternetConnection;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange() override;
    // Enter, Esc and the frame's close close it as OK does.
    void OnOK() override;
    void OnCancel() override { OnOK(); }

private:
    FW_DECLARE_MESSAGE_MAP(HelpWindow)
    LRESULT OnOkButton(WPARAM, LPARAM);
    LRESULT OnSupport(WPARAM, LPARAM);

    HWND m_mainWindow;
    uint32_t m_modeFlags;
    std::string m_helpText;
    std::string m_settingsPath;
    LogRichEdit m_text;
    TesselScrollBarPaintHook m_scrollBars;
    TesselButton m_ok, m_support;
};

} // namespace tavil
