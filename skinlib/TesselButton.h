// Skinned buttons: push buttons drawn flat by the library, check boxes,
// radio buttons and group frames in the skin's colours.
#pragma once

#include "SubclassedControl.h"

// A flat push button (owner-drawn).
class TesselButton : public skin::SubclassedControl, public skin::OwnerDrawn {
public:
    void DrawItem(const DRAWITEMSTRUCT& item) override;

protected:
    void OnAttached() override;
    virtual COLORREF FaceColour(bool pressed) const;
    virtual COLORREF TextColour() const;
};

// The accented variant, for the main action of a dialog.
class TesselButton2 : public TesselButton {
protected:
    COLORREF FaceColour(bool pressed) const override;
    COLORREF TextColour() const override;
};

class TesselCheckBox : public skin::SubclassedControl {
public:
    bool IsChecked() const { return Send(BM_GETCHECK) == BST_CHECKED; }
    void SetChecked(bool checked) { Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }
};

class TesselRadioButton : public TesselCheckBox {};

// A group frame: a thin line with its caption, drawn by the library.
class TesselGroupBox2 : public skin::SubclassedControl {
protected:
    LRESULT ControlProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
