// The dialog base of perfmode: a row of five buttons (OK, Cancel, Apply,
// Default, Help) under the template's controls, the program icon, and
// context help (F1, the title bar's help button, a right click's
// "What's This?" menu).
#pragma once

#include <windows.h>

#include <exception>

#include "framework/Gdi.h"
#include "skinlib/TesselButton.h"
#include "skinlib/TesselDialog.h"

namespace perfmode {

class HelpFile;

class CTavInterfaceDialog : public TesselDialog2 {
public:
    // `help` is the application's help file; it outlives the dialog.
    CTavInterfaceDialog(UINT templateId, HelpFile& help, HWND parent = nullptr);

    // Whether the dialog may be shown: only to an administrator.
    virtual bool CanRun();
    // Asks whether to go back to the default setting (string 6070).
    virtual bool ConfirmDefault();
    virtual void EnableApply(bool enable);
    virtual bool HasHelpPopup(int id) const;
    virtual bool HasContextMenu(int id) const;

    bool applyEnabled() const { return m_applyEnabled; }
    int buttonWidth() const { return m_buttonWidth; }
    // What a handler threw while the dialog ran (the dialog then ended).
    std::exception_ptr failure() const { return m_failure; }

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnHandlerFailure(std::exception_ptr failure) noexcept override;

    // Shows the text popup of control `id` at `where` (screen pixels).
    void ShowPopup(int id, POINT where);

private:
    struct RowButton {
        int id;
        UINT textId;
        DWORD style;
        bool shown;
        TesselButton2 control;
    };

    void BuildButtonRow();
    bool OnContextMenu(HWND clicked, POINT where, LRESULT& result);

    HelpFile& m_help;
    RowButton m_buttons[5];
    int m_buttonWidth = 88;
    int m_shownButtons = 0;
    bool m_applyEnabled = false;
    UINT m_dialogTemplateId;
    fw::Icon m_largeIcon, m_smallIcon;
    HELPINFO m_helpInfo{}; // the control of the last context-menu request
    std::exception_ptr m_failure;
};

} // namespace perfmode
