// Thin wrapper over a window handle: the base of dialogs and controls.
#pragma once

#include <string>
#include <windows.h>

namespace fw {

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const { return m_hwnd; }
    bool IsCreated() const { return m_hwnd != nullptr && ::IsWindow(m_hwnd); }

    // Binds this object to an existing window (a template control, say).
    void Attach(HWND hwnd);
    HWND Detach();

    std::string GetText() const;
    void SetText(const std::string& text);
    void Show(bool visible);
    bool IsVisible() const;
    void Enable(bool enabled);
    bool IsEnabled() const;
    void Move(int x, int y, int width, int height, bool repaint = true);
    void SetPosition(int x, int y);
    void SetSize(int width, int height);
    // Makes the whole window `width` x `height` and centres it on the work
    // area (the screen less the task bar).
    void SizeAndCentre(int width, int height);
    RECT ClientRect() const;
    RECT WindowRectIn(HWND parent) const; // window rectangle in `parent`'s client pixels
    void Invalidate(bool erase = true);
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // The child window with control id `id`.
    HWND Item(int id) const { return ::GetDlgItem(m_hwnd, id); }

protected:
    // Called after Attach has bound the handle (controls subclass here).
    virtual void OnAttached() {}
    virtual void OnDetaching() {}

    HWND m_hwnd = nullptr;
};

} // namespace fw
