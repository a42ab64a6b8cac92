// A page of the main window's tab control: a modeless child dialog on
// which Enter and Esc do nothing (only the main window closes, and only
// through its quit question).
#pragma once

#include "skinlib/TesselDialog.h"

namespace tavil {

class PageDialog : public TesselDialog {
public:
    using TesselDialog::TesselDialog;

protected:
    void OnOK() override {}
    void OnCancel() override {}
};

} // namespace tavil
