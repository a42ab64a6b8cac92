// The skinned dialog bases of the two programs: TesselDialog for the
// diagnostics program, TesselDialog2 for the performance utility.  Both are
// built from a template id and a parent.
#pragma once

#include "AbstractDialog.h"

class TesselDialog : public AbstractDialog {
public:
    TesselDialog(UINT templateId, HWND parent = nullptr) : AbstractDialog(templateId, parent) {}
};

class TesselDialog2 : public AbstractDialog {
public:
    TesselDialog2(UINT templateId, HWND parent = nullptr) : AbstractDialog(templateId, parent) {}
};
