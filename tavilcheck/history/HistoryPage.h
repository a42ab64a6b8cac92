// The History page: the list of the run logs the log directory keeps
// (newest first), a viewer for the chosen one with a Copy menu, and the
// "Create History Report" button.
#pragma once

#include <string>
#include <vector>

#include "skinlib/TesselButton.h"
#include "skinlib/TesselListCtrl.h"
#include "skinlib/TesselScrollBarPaintHook.h"
#include "tavilcheck/ui/LogRichEdit.h"
#include "tavilcheck/ui/PageDialog.h"

namespace tavil {

// The most of a log the viewer shows; a longer log is shown up to here,
// with a line saying so.
constexpr size_t kViewerTextLimit = size_t{1024} * 1024;

class HistoryPage : public PageDialog {
public:
    HistoryPage(HWND mainWindow, std::string logDirectory, std::string modelName, std::string introduction);
    // Called each time the History tab comes to the front: the
    // introduction, then the list of the logs in `logDirectory`.
    void ShowIntroduction();
    void FillLogList(const std::string& logDirectory);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange() override;

private:
    FW_DECLARE_MESSAGE_MAP(HistoryPage)
    LRESULT OnLogChosen(WPARAM, LPARAM);
    LRESULT OnViewerMouse(WPARAM, LPARAM);
    LRESULT OnCreateReport(WPARAM, LPARAM);
    // The log of row `row` from its second line, or nothing when it cannot
    // be read.
    void ShowLog(size_t row);
    void ClearViewer();

    HWND m_mainWindow;
    std::string m_logDirectory;
    std::string m_modelName;
    std::string m_introduction;
    std::vector<std::string> m_rowPaths; // the log file of each row
    TesselListCtrl m_list;
    LogRichEdit m_viewer;
    TesselScrollBarPaintHook m_scrollBars;
    HWND m_hookedViewer = nullptr; // the control the scroll bars are painted on
    TesselButton m_reportButton;
};

} // namespace tavil
