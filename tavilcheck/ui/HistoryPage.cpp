#include "HistoryPage.h"

#include <commctrl.h>

#include "framework/ResourceSource.h"
#include "resource_ids.h"

namespace tavil {

HistoryPage::HistoryPage(std::string introduction)
    : PageDialog(IDD_HISTORY_PAGE), m_introduction(std::move(introduction)) {}

void HistoryPage::DoDataExchange() {
    PageDialog::DoDataExchange();
    BindItem(IDC_HISTORY_LIST, m_list);
    BindItem(IDC_HISTORY_VIEWER, m_viewer);
    BindItem(IDC_CREATE_REPORT, m_reportButton);
}

BOOL HistoryPage::OnInitDialog() {
    PageDialog::OnInitDialog();
    m_list.Move(12, 6, 235, 312);
    m_viewer.Move(247, 5, 376, 312);
    RECT area = m_viewer.ClientRect();
    area.left += 8;
    m_viewer.Send(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&area));
    // A fixed-pitch 11-point font, so the logs' columns line up.
    int height = -::MulDiv(11, ::GetDeviceCaps(fw::WindowDC(m_hwnd).get(), LOGPIXELSY), 72);
    m_font.reset(::CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New"));
    m_viewer.Send(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), TRUE);

    m_list.InsertColumn(0, "History", LVCFMT_LEFT, 230);
    m_list.Tessel();

    m_reportButton.Move(442, 330, 178, 22);
    m_reportButton.SetText(fw::ResourceSource::LoadString(IDS_CREATE_HISTORY_REPORT));
    ShowIntroduction();
    return TRUE;
}

void HistoryPage::ShowIntroduction() {
    m_viewer.Clear();
    m_viewer.StreamIn(m_introduction, false);
}

} // namespace tavil
