// A control whose window procedure the skin extends: ControlProc sees every
// message first and passes what it does not handle to DefaultProc.
#pragma once

#include <windows.h>

#include "framework/Window.h"

namespace skin {

class SubclassedControl : public fw::Window {
public:
    ~SubclassedControl() override;

protected:
    virtual LRESULT ControlProc(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefaultProc(message, wParam, lParam);
    }
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    void OnAttached() override;
    void OnDetaching() override;

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CallPrevious(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// A control drawn by its owner dialog's WM_DRAWITEM, which the skinned
// dialog hands to the control object.
class OwnerDrawn {
public:
    virtual ~OwnerDrawn() = default;
    virtual void DrawItem(const DRAWITEMSTRUCT& item) = 0;
};

} // namespace skin
