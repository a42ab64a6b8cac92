// Skinned report-view list.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "SubclassedControl.h"

class TesselListCtrl : public skin::SubclassedControl {
public:
    int InsertColumn(int index, const std::string& heading, int format, int width);
    int InsertItem(int index, const std::string& text);
    void SetItemText(int item, int column, const std::string& text);
    std::string GetItemText(int item, int column) const;
    int GetItemCount() const;
    void DeleteAllItems();
    void SetExtendedStyle(DWORD styles);
    // Wide enough for the column's longest entry and for its heading (the
    // last column also fills the rest of the list).
    void FitColumn(int column);
    // The check box of `row` in a list with LVS_EX_CHECKBOXES.
    bool IsRowChecked(int row) const;
    void SetRowChecked(int row, bool checked);
    // Of an LVN_ITEMCHANGED: the row's check box has just been ticked, or
    // the row has just been selected.
    static bool RowBecameChecked(const NMLISTVIEW& change);
    static bool RowBecameSelected(const NMLISTVIEW& change);
    // Applies the skin; called once after the columns are inserted.
    void Tessel();
};
