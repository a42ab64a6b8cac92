// The History page: the list of kept run logs, a viewer for the chosen one
// and the "Create History Report" button.  This first form shows the
// page's introduction; the log list and the report build on the run logs.
#pragma once

#include <string>

#include "LogRichEdit.h"
#include "framework/Gdi.h"
#include "skinlib/TesselButton.h"
#include "PageDialog.h"
#include "skinlib/TesselListCtrl.h"

namespace tavil {

class HistoryPage : public PageDialog {
public:
    explicit HistoryPage(std::string introduction);
    // Called each time the History tab comes to the front.
    void ShowIntroduction();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange() override;

private:
    std::string m_introduction;
    TesselListCtrl m_list;
    LogRichEdit m_viewer;
    TesselButton m_reportButton;
    fw::Font m_font;
};

} // namespace tavil
