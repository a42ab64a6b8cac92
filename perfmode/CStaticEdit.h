// A read-only text field that behaves like a label: right clicks do
// nothing (no edit menu, no context help menu) and the cursor stays the
// arrow.
#pragma once

#include "skinlib/SubclassedControl.h"

class CStaticEdit : public skin::SubclassedControl {
protected:
    LRESULT ControlProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
