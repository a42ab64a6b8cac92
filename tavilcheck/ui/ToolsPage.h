// The Tools page: the Device Manager and Check Hard Disk texts, each with
// its "Open" button.  This first form shows the texts; the tools behind the
// buttons build on the disk-check dialog.
#pragma once

#include <string>

#include "LogRichEdit.h"
#include "skinlib/TesselButton.h"
#include "PageDialog.h"

namespace tavil {

class ToolsPage : public PageDialog {
public:
    ToolsPage(std::string deviceManagerText, std::string checkDiskText);
    // Places the texts and their buttons in the page's present size (the
    // main window calls it once it has sized the page).
    void LayOutTools();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange() override;

private:
    std::string m_deviceManagerText, m_checkDiskText;
    LogRichEdit m_text;
    TesselButton m_deviceManagerButton, m_checkDiskButton;
};

} // namespace tavil
