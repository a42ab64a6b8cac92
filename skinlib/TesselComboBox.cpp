#include "TesselComboBox.h"

#include <vector>

int TesselComboBox::AddString(const std::string& text) {
    return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

bool TesselComboBox::DeleteString(int index) { return Send(CB_DELETESTRING, index) != CB_ERR; }
int TesselComboBox::GetCount() const { return static_cast<int>(Send(CB_GETCOUNT)); }
int TesselComboBox::GetCurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }
void TesselComboBox::SetCurSel(int index) { Send(CB_SETCURSEL, index); }
void TesselComboBox::SetDroppedWidth(int width) { Send(CB_SETDROPPEDWIDTH, width); }

std::string TesselComboBox::GetItemText(int index) const {
    LRESULT length = Send(CB_GETLBTEXTLEN, index);
    if (length == CB_ERR || length <= 0)
        return std::string();
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    Send(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data());
}
