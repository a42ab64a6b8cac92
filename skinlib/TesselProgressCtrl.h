// Skinned progress bar, with a moving stripe pattern while a run goes on.
#pragma once

#include "SubclassedControl.h"

class TesselProgressCtrl : public skin::SubclassedControl {
public:
    void SetRange(int lower, int upper);
    void SetPos(int position);
    int GetPos() const;
    // Moves the animation one step; the caller then invalidates the control.
    void Animation();

protected:
    LRESULT ControlProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int m_phase = 0;
};
