#include "HistoryPage.h"

#include <commctrl.h>

#include <algorithm>

#include "HistoryReport.h"
#include "HistoryReportText.h"
#include "RunLogText.h"
#include "framework/Application.h"
#include "framework/ResourceSource.h"
#include "framework/StdFile.h"
#include "framework/TextUtil.h"
#include "resource_ids.h"

namespace tavil {

namespace {
const char kHeading[] = "History";
constexpr int kViewerPoints = 11;
} // namespace

FW_BEGIN_MESSAGE_MAP(HistoryPage, PageDialog)
    FW_ON_NOTIFY(LVN_ITEMCHANGED, IDC_HISTORY_LIST, OnLogChosen)
    FW_ON_NOTIFY(EN_MSGFILTER, IDC_HISTORY_VIEWER, OnViewerMouse)
    FW_ON_COMMAND(IDC_CREATE_REPORT, OnCreateReport)
FW_END_MESSAGE_MAP()

HistoryPage::HistoryPage(HWND mainWindow, std::string logDirectory, std::string modelName, std::string introduction)
    : PageDialog(IDD_HISTORY_PAGE), m_mainWindow(mainWindow), m_logDirectory(std::move(logDirectory)),
      m_modelName(std::move(modelName)), m_introduction(std::move(introduction)) {}

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
    m_viewer.Send(EM_EXLIMITTEXT, 0, kViewerTextLimit * 2);
    m_viewer.DisableUndo();
    m_viewer.Send(EM_SETEVENTMASK, 0, m_viewer.Send(EM_GETEVENTMASK) | ENM_MOUSEEVENTS);
    m_scrollBars.HookWindow(m_hookedViewer = m_viewer.hwnd());

    m_list.InsertColumn(0, kHeading, LVCFMT_LEFT, 230);
    m_list.Tessel();

    m_reportButton.Move(442, 330, 178, 22);
    m_reportButton.SetText(fw::ResourceSource::LoadString(IDS_CREATE_HISTORY_REPORT));
    ShowIntroduction();
    return TRUE;
}

void HistoryPage::ClearViewer() {
    m_viewer.Clear();
    // Emptied, the view keeps the format of the text it last held (the
    // introduction's): a log is shown in the fixed-pitch font.
    m_viewer.UseFixedPitchFont(kViewerPoints);
    // A view that held much text is a fresh control after Clear.
    if (m_viewer.hwnd() != m_hookedViewer)
        m_scrollBars.HookWindow(m_hookedViewer = m_viewer.hwnd());
}

void HistoryPage::ShowIntroduction() {
    ClearViewer();
    m_viewer.StreamIn(m_introduction, false);
    m_scrollBars.PaintScrollBars(true);
}

void HistoryPage::FillLogList(const std::string& logDirectory) {
    m_list.DeleteAllItems();
    m_rowPaths.clear();
    const std::string format = fw::ResourceSource::LoadString(IDS_HISTORY_ITEM);
    // Without a directory there is nothing to list (a bare file name would
    // be looked for wherever the current directory happens to be).
    for (int n = 0; n < kLogFileCount && !logDirectory.empty(); ++n) {
        const std::string path = logDirectory + LogFileName(n);
        fw::StdFile file(std::fopen(path.c_str(), "r"));
        std::string title, date;
        if (file && ReadLimitedLine(file.get(), kLogTitleLineLength, title) &&
            ReadLimitedLine(file.get(), kLogDateLineLength, date)) {
            m_rowPaths.push_back(path);
            const int row = static_cast<int>(m_rowPaths.size());
            m_list.InsertItem(row - 1, HistoryRowText(format, row, title, date));
        }
        m_list.FitColumn(0); // the list scrolls sideways to the dates of long rows
    }
    m_logDirectory = logDirectory;
}

void HistoryPage::ShowLog(size_t row) {
    ClearViewer();
    if (row < m_rowPaths.size()) {
        if (fw::StdFile file{std::fopen(m_rowPaths[row].c_str(), "r")}) {
            std::string skipped;
            ReadLimitedLine(file.get(), 0, skipped);
            std::string text(kViewerTextLimit + 1, '\0');
            text.resize(std::fread(&text[0], 1, text.size(), file.get()));
            const bool longer = text.size() > kViewerTextLimit;
            if (longer)
                text.resize(kViewerTextLimit);
            // A NUL would end the text the control takes.
            std::replace(text.begin(), text.end(), '\0', ' ');
            if (!text.empty() && text.back() != '\n')
                text += '\n';
            if (longer)
                text += fw::FormatText(fw::ResourceSource::LoadString(IDS_LOG_SHOWN_IN_PART), m_rowPaths[row]);
            m_viewer.AppendText(text, 0, false);
            m_viewer.Send(WM_VSCROLL, SB_TOP); // the log is read from its start
        }
    }
    m_scrollBars.PaintScrollBars(true);
}

// Called when a row of the log list changes state: a row that becomes
// selected shows its log.
LRESULT HistoryPage::OnLogChosen(WPARAM, LPARAM lParam) {
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
    if (TesselListCtrl::RowBecameSelected(*change))
        ShowLog(static_cast<size_t>(change->iItem));
    return 0;
}

// The viewer's mouse events: a right click opens the Copy menu.
LRESULT HistoryPage::OnViewerMouse(WPARAM, LPARAM lParam) {
    m_viewer.OfferCopyMenu(*reinterpret_cast<const MSGFILTER*>(lParam), m_hwnd);
    return 0;
}

// Called when "Create History Report" is pressed.
LRESULT HistoryPage::OnCreateReport(WPARAM, LPARAM) {
    CreateHistoryReport(m_mainWindow, {fw::ProgramDirectory(), m_logDirectory, m_modelName});
    return 0;
}

} // namespace tavil
