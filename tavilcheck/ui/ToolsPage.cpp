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
    m_text.SetBackground(RGB(255, 255, 255));
    std::string open = fw::ResourceSource::LoadString(IDS_OPEN);
    m_deviceManagerButton.SetText(open);
    m_checkDiskButton.SetText(open);
    m_deviceManagerButton.Enable(false);
    m_checkDiskButton.Enable(false);
    return TRUE;
}

void ToolsPage::LayOutTools() {
    RECT client = ClientRect();
    const int buttonLeft = client.right - 95;
    m_text.Move(0, 0, buttonLeft - 10, client.bottom);
    RECT area = {25, 10, buttonLeft - 30, client.bottom};
    m_text.Send(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&area));
    m_text.StreamIn(m_deviceManagerText, false);
    m_text.AppendText("\r\n", 0, false);
    GETTEXTLENGTHEX length{GTL_DEFAULT, CP_ACP};
    LRESULT secondStart = m_text.Send(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length));
    m_text.Send(EM_SETSEL, secondStart, secondStart);
    m_text.StreamIn(m_checkDiskText, true);
    // Each button beside the first line of its text.
    POINTL second{};
    m_text.Send(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&second), secondStart);
    m_deviceManagerButton.Move(buttonLeft, 10, 83, 22);
    m_checkDiskButton.Move(buttonLeft, second.y > 10 ? static_cast<int>(second.y) : client.bottom / 2, 83, 22);
}

} // namespace tavil
