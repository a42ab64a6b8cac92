// Skinned drop-down list.
#pragma once

#include <string>

#include "SubclassedControl.h"

class TesselComboBox : public skin::SubclassedControl {
public:
    int AddString(const std::string& text);
    bool DeleteString(int index);
    int GetCount() const;
    int GetCurSel() const;
    void SetCurSel(int index);
    std::string GetItemText(int index) const;
    void SetDroppedWidth(int width);
};
