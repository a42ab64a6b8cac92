// Base of the skinned dialogs: paints the client area and, with the theme
// mode off, the frame through a TesselDialogPainter; colours the static
// controls; hands WM_DRAWITEM to owner-drawn skinned controls.
#pragma once

#include "TesselDialogPainter.h"
#include "framework/Dialog.h"

class AbstractDialog : public fw::Dialog {
public:
    AbstractDialog(UINT templateId, HWND parent);
    ~AbstractDialog() override;

    // Installs the frame painter.  The caller owns it and keeps it alive as
    // long as the dialog; nullptr returns to the library's own painter.
    void SetPainter(TesselDialogPainter* painter);
    TesselDialogPainter* painter() const { return m_painter; }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // The brush (as the message's result) and colours of the dialog's
    // background and of `control`, a static control or button.
    virtual LRESULT OnCtlColor(HDC dc, HWND control);
    BOOL OnInitDialog() override;
    // Paints the skinned client area (the background is drawn on erase).
    virtual void OnPaint();

private:
    void PaintFrame();
    RECT CaptionRect() const;                // in window coordinates
    RECT CaptionButtonRect(int index) const; // 0 = close, 1 = help / minimise
    LRESULT FrameHitTest(LPARAM lParam);
    // The non-client messages of the skinned frame; `handled` false for the
    // others.
    LRESULT FrameMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

    TesselDialogPainter m_libraryPainter;
    TesselDialogPainter* m_painter;
    bool m_skinFrame = false;
    bool m_active = true;
};
