// Owning types for GDI objects, device contexts, selections and menus.
// Each gives back what it holds when it goes out of scope.
#pragma once

#include <windows.h>

#include "Handles.h"

namespace fw {

template <typename T> struct GdiObjectTraits {
    using Type = T;
    static Type Empty() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static bool Close(Type h) { return ::DeleteObject(h) != 0; }
};

// A font, brush, pen or bitmap the program created.
using Font = UniqueHandle<GdiObjectTraits<HFONT>>;
using Brush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using Pen = UniqueHandle<GdiObjectTraits<HPEN>>;
using Bitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;

struct IconTraits {
    using Type = HICON;
    static Type Empty() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static bool Close(Type h) { return ::DestroyIcon(h) != 0; }
};
// An icon loaded without LR_SHARED.
using Icon = UniqueHandle<IconTraits>;

struct MenuTraits {
    using Type = HMENU;
    static Type Empty() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static bool Close(Type h) { return ::DestroyMenu(h) != 0; }
};
// A menu loaded or created by the program (not one attached to a window).
using Menu = UniqueHandle<MenuTraits>;

struct WindowTraits {
    using Type = HWND;
    static Type Empty() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static bool Close(Type h) { return ::DestroyWindow(h) != 0; }
};
// A window the program created for itself (not one owned by a dialog or
// a framework object), destroyed when it goes.
using OwnedWindow = UniqueHandle<WindowTraits>;

// The device context of a window's client area (GetDC) or of the whole
// window with its frame (GetWindowDC), released when it goes.
class WindowDC {
public:
    enum Area { kClient, kWholeWindow };
    explicit WindowDC(HWND window, Area area = kClient)
        : m_window(window), m_dc(area == kClient ? ::GetDC(window) : ::GetWindowDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (m_dc)
            ::ReleaseDC(m_window, m_dc);
    }
    HDC get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HWND m_window;
    HDC m_dc;
};

// A memory device context compatible with another one.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith) : m_dc(::CreateCompatibleDC(compatibleWith)) {}
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    ~MemoryDC() {
        if (m_dc)
            ::DeleteDC(m_dc);
    }
    HDC get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HDC m_dc;
};

// Selects an object into a device context and puts the former one back
// when it goes, so that the object can be deleted after it.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(object ? ::SelectObject(dc, object) : nullptr) {}
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;
    ~ScopedSelect() {
        if (m_previous)
            ::SelectObject(m_dc, m_previous);
    }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

} // namespace fw
