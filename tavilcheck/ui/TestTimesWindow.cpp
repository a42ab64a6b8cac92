#include "TestTimesWindow.h"

#include <commctrl.h>

#include "framework/Gdi.h"
#include "framework/ResourceSource.h"
#include "framework/TextUtil.h"
#include "resource_ids.h"

namespace tavil {

namespace {
constexpr size_t kCountCharacters = 9;
constexpr size_t kNameCharacters = 19;
constexpr int kTimesColumn = 1;

std::string CellText(const TesselListCtrl& list, int row, int column, size_t limit) {
    std::string text = list.GetItemText(row, column);
    return text.size() > limit ? text.substr(0, limit) : text;
}
} // namespace

bool WindowTestTimes::Ask(const std::vector<std::string>& names, std::vector<int>& counts) {
    TestTimesQuestion question{&names, &counts};
    return m_window && ::SendMessageA(m_window, WM_ASK_TEST_TIMES, 0, reinterpret_cast<LPARAM>(&question)) == IDOK;
}

int TestTimesCount(const std::string& cell) { return fw::LeadingDecimal(cell.substr(0, kCountCharacters)); }

FW_BEGIN_MESSAGE_MAP(TestTimesWindow, TesselDialog)
    FW_ON_NOTIFY(NM_CLICK, IDC_TEST_TIMES_LIST, OnListClick)
FW_END_MESSAGE_MAP()

TestTimesWindow::TestTimesWindow(HWND owner, std::vector<std::string> entryNames)
    : TesselDialog(IDD_TEST_TIMES, owner), names(std::move(entryNames)) {}

void TestTimesWindow::DoDataExchange() {
    TesselDialog::DoDataExchange();
    BindItem(IDC_TEST_TIMES_LIST, m_list);
}

BOOL TestTimesWindow::OnInitDialog() {
    TesselDialog::OnInitDialog();
    SetText(fw::ResourceSource::LoadString(IDS_TAB_FINAL_INSPECTION));
    m_list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_list.InsertColumn(0, "  Test Name  ", LVCFMT_CENTER, 100);
    m_list.InsertColumn(kTimesColumn, "Test Times", LVCFMT_CENTER, 80);
    for (size_t row = 0; row < names.size(); ++row) {
        const int item = m_list.InsertItem(static_cast<int>(row), names[row]);
        m_list.SetItemText(item, kTimesColumn, "1");
        m_list.SetRowChecked(item, true);
    }
    for (int column = 0; column <= kTimesColumn; ++column)
        m_list.FitColumn(column);
    return TRUE;
}

// A click in the list: in a Test Times cell it opens the edit over that
// cell; anywhere else it closes an open one.
LRESULT TestTimesWindow::OnListClick(WPARAM, LPARAM lParam) {
    const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
    CloseCellEdit();
    LVHITTESTINFO hit{};
    hit.pt = click->ptAction;
    if (m_list.Send(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)) < 0 || hit.iItem < 0 ||
        hit.iSubItem != kTimesColumn)
        return 0;
    RECT cell{};
    cell.top = kTimesColumn;
    cell.left = LVIR_BOUNDS;
    m_list.Send(LVM_GETSUBITEMRECT, hit.iItem, reinterpret_cast<LPARAM>(&cell));
    m_cellEdit.reset(::CreateWindowExA(0, "EDIT", m_list.GetItemText(hit.iItem, kTimesColumn).c_str(),
                                       WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | ES_CENTER, cell.left,
                                       cell.top, cell.right - cell.left, cell.bottom - cell.top, m_list.hwnd(), nullptr,
                                       ::GetModuleHandleA(nullptr), nullptr));
    if (m_cellEdit) {
        ::SendMessageA(m_cellEdit.get(), WM_SETFONT, m_list.Send(WM_GETFONT), FALSE);
        ::SendMessageA(m_cellEdit.get(), EM_SETSEL, 0, -1);
        ::SetFocus(m_cellEdit.get());
        m_editedRow = hit.iItem;
    }
    return 0;
}

void TestTimesWindow::CloseCellEdit() {
    if (!m_cellEdit)
        return;
    char text[kCountCharacters + 1] = "";
    ::GetWindowTextA(m_cellEdit.get(), text, sizeof text);
    if (text[0] != '\0' && m_editedRow >= 0)
        m_list.SetItemText(m_editedRow, kTimesColumn, text);
    m_cellEdit.reset();
    m_editedRow = -1;
}

void TestTimesWindow::OnOK() {
    CloseCellEdit();
    const int rows = m_list.GetItemCount();
    names.assign(static_cast<size_t>(rows), std::string());
    counts.assign(static_cast<size_t>(rows), 0);
    for (int row = 0; row < rows; ++row) {
        names[row] = CellText(m_list, row, 0, kNameCharacters);
        counts[row] = m_list.IsRowChecked(row) ? TestTimesCount(m_list.GetItemText(row, kTimesColumn)) : 0;
    }
    EndDialog(IDOK);
}

} // namespace tavil
