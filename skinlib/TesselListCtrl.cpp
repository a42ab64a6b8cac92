#include "TesselListCtrl.h"

#include <commctrl.h>

#include "Skin.h"

int TesselListCtrl::InsertColumn(int index, const std::string& heading, int format, int width) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<char*>(heading.c_str());
    return static_cast<int>(Send(LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column)));
}

int TesselListCtrl::InsertItem(int index, const std::string& text) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<char*>(text.c_str());
    return static_cast<int>(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void TesselListCtrl::SetItemText(int index, int column, const std::string& text) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    Send(LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
}

std::string TesselListCtrl::GetItemText(int index, int column) const {
    char buffer[1024] = "";
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    Send(LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
    return buffer;
}

int TesselListCtrl::GetItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
void TesselListCtrl::DeleteAllItems() { Send(LVM_DELETEALLITEMS); }

void TesselListCtrl::FitColumn(int column) {
    Send(LVM_SETCOLUMNWIDTH, column, LVSCW_AUTOSIZE);
    const LRESULT contents = Send(LVM_GETCOLUMNWIDTH, column);
    Send(LVM_SETCOLUMNWIDTH, column, LVSCW_AUTOSIZE_USEHEADER);
    if (Send(LVM_GETCOLUMNWIDTH, column) < contents)
        Send(LVM_SETCOLUMNWIDTH, column, contents);
}

namespace {
constexpr UINT kCheckedImage = INDEXTOSTATEIMAGEMASK(2);
bool IsCheckedState(UINT state) { return (state & LVIS_STATEIMAGEMASK) == kCheckedImage; }
bool IsStateChange(const NMLISTVIEW& change) { return change.iItem >= 0 && (change.uChanged & LVIF_STATE); }
} // namespace

bool TesselListCtrl::IsRowChecked(int row) const {
    return IsCheckedState(static_cast<UINT>(Send(LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK)));
}

bool TesselListCtrl::RowBecameChecked(const NMLISTVIEW& change) {
    return IsStateChange(change) && IsCheckedState(change.uNewState) && !IsCheckedState(change.uOldState);
}

bool TesselListCtrl::RowBecameSelected(const NMLISTVIEW& change) {
    return IsStateChange(change) && (change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED);
}

void TesselListCtrl::SetRowChecked(int row, bool checked) {
    LVITEMA item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = checked ? kCheckedImage : INDEXTOSTATEIMAGEMASK(1);
    Send(LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void TesselListCtrl::SetExtendedStyle(DWORD styles) { Send(LVM_SETEXTENDEDLISTVIEWSTYLE, styles, styles); }

void TesselListCtrl::Tessel() {
    SetExtendedStyle(LVS_EX_DOUBLEBUFFER);
    Send(LVM_SETBKCOLOR, 0, RGB(255, 255, 255));
    Send(LVM_SETTEXTBKCOLOR, 0, RGB(255, 255, 255));
    Send(LVM_SETTEXTCOLOR, 0, skin::kText);
    Invalidate();
}
