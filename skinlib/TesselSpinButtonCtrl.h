// Skinned up-down control.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "SubclassedControl.h"

class TesselSpinButtonCtrl : public skin::SubclassedControl {
public:
    void SetRange(int lower, int upper) { Send(UDM_SETRANGE32, lower, upper); }
    void SetPos(int position) { Send(UDM_SETPOS32, 0, position); }
    int GetPos() const { return static_cast<int>(Send(UDM_GETPOS32)); }
    void SetBuddy(HWND buddy) { Send(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy)); }
};
