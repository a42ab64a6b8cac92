// A dialog built from a numbered template, taken from the resource library
// when it has the template, otherwise from the program.  Modal (DoModal)
// or a modeless child (Create).
#pragma once

#include <windows.h>

#include <exception>

#include "MessageMap.h"
#include "Window.h"

namespace fw {

class Dialog : public Window {
public:
    Dialog(UINT templateId, HWND parent) : m_templateId(templateId), m_parent(parent) {}
    ~Dialog() override;

    // Runs the dialog modally; returns the code given to EndDialog, or -1
    // when the template could not be found or the dialog not created.
    INT_PTR DoModal();
    // Creates the dialog as a modeless window (a page inside a parent).
    bool Create(HWND parent);
    void EndDialog(INT_PTR result);

    UINT templateId() const { return m_templateId; }

    // Entry for every message of this dialog, and the one rule of its
    // routing: the message map first, then the virtual handlers below
    // (OnInitDialog .. OnDestroy, then OnMessage), then the system.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Called at WM_INITDIALOG before OnInitDialog: bind control members to
    // their template controls here (BindItem); overrides chain the base.
    virtual void DoDataExchange() {}
    // Binds `control` to the template control `id`.
    void BindItem(int id, Window& control) { control.Attach(Item(id)); }
    // Called at WM_INITDIALOG; return TRUE to let the system set the focus.
    virtual BOOL OnInitDialog() { return TRUE; }
    // Dialog OK and Cancel commands (Enter and Esc); they end the dialog.
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    virtual void OnDestroy() {}
    // Any other message the map did not take: true when handled, with its
    // result in `result`.  Overrides offer what they do not handle to
    // their base's OnMessage.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Leaves the current message to the system's dialog processing.
    LRESULT Default();
    // Called when a handler threw: the message has been left to the
    // system, and the exception stops here.  A dialog that must not run on
    // after a failure keeps `failure` and ends itself.
    virtual void OnHandlerFailure(std::exception_ptr failure) noexcept { (void)failure; }

    static const MessageMapEntry s_messageEntries[];
    static const MessageMap s_messageMap;
    virtual const MessageMap* GetMessageMap() const { return &s_messageMap; }

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_templateId;
    HWND m_parent;
    bool m_modal = false;
    bool* m_defaultRequested = nullptr; // set by Default() for the message in progress
};

} // namespace fw
