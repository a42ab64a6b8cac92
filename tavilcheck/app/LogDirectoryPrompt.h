// The log-directory prompt of a service installation: when the user turns
// logging on ("Test Without Logs" cleared) it proposes the settings file's
// [log] path, lets the user type or browse for another, and makes sure the
// directory exists (creating one level) before logging is turned on.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/Window.h"
#include "skinlib/TesselDialog.h"

namespace tavil {

constexpr int kLogDirectoryDone = 0;
constexpr int kLogDirectoryUnusable = 102;

// What the prompt changes in the main window.
struct LogSettings {
    bool logEnabled = false;
    std::string logDirectory;
    bool withoutLogsChecked = false; // the "Test Without Logs" box
};

// Runs the prompt owned by `owner`; kLogDirectoryDone or
// kLogDirectoryUnusable (string 137 was shown, nothing changed).
int PromptLogDirectory(HWND owner, const std::string& settingsPath, uint32_t modeFlags, LogSettings& settings);

class LogDirectoryDialog : public TesselDialog {
public:
    LogDirectoryDialog(HWND owner, std::string proposed, bool windowsElsewhere);
    std::string chosen; // after OK: the edit's text

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange() override;
    void OnOK() override;

private:
    FW_DECLARE_MESSAGE_MAP(LogDirectoryDialog)
    LRESULT OnBrowse(WPARAM, LPARAM);

    bool m_windowsElsewhere;
    fw::Window m_text, m_edit;
};

} // namespace tavil
