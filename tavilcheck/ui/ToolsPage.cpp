#include "ToolsPage.h"

#include "framework/ResourceSource.h"
#include "resource_ids.h"

namespace tavil {

ToolsPage::ToolsPage(std::string deviceManagerText, std::string checkDiskText)
    : PageDialog(IDD_TOOLS_PAGE), m_deviceManagerText(std::move(deviceManagerText)),
      m_checkDiskText(std::move(checkDiskText)) {}

void ToolsPage::DoDataExchange() {
    PageDialog::DoDataExchange();
    BindItem(IDC_TOOLS_TEXT, m_text);
    BindItem(IDC_DEVICE_MANAGER_OPEN, m_deviceManagerButton);
    BindItem(IDC_CHECK_DISK_OPEN, m_checkDiskButton);
}

BOOL ToolsPage::OnInitDialog() {
    PageDialog::OnInitDialog();
    RECT client = ClientRect();
    m_text.Move(0, 0, client.right - 110, client.bottom);
    m_text.SetBackground(RGB(255, 255, 255));
    RECT area = {25, 10, client.right - 130, client.bottom};
    m_text.Send(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&area));
    m_text.StreamIn(m_deviceManagerText, false);
    m_text.Send(EM_SETSEL, -1, -1);
    m_text.StreamIn(m_checkDiskText, true);
    std::string open = fw::ResourceSource::LoadString(IDS_OPEN);
    m_deviceManagerButton.SetText(open);
    m_checkDiskButton.SetText(open);
    m_deviceManagerButton.Move(client.right - 100, 12, 83, 22);
    m_checkDiskButton.Move(client.right - 100, client.bottom / 2, 83, 22);
    m_deviceManagerButton.Enable(false);
    m_checkDiskButton.Enable(false);
    return TRUE;
}

} // namespace tavil
