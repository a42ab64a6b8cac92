#include "Window.h"

#include <vector>

#include "WindowMap.h"

namespace fw {

Window::~Window() {
    if (m_hwnd)
        WindowMap::Remove(m_hwnd);
}

void Window::Attach(HWND hwnd) {
    if (m_hwnd)
        Detach();
    m_hwnd = hwnd;
    if (hwnd) {
        WindowMap::Add(hwnd, this);
        OnAttached();
    }
}

HWND Window::Detach() {
    HWND hwnd = m_hwnd;
    if (hwnd) {
        OnDetaching();
        WindowMap::Remove(hwnd);
    }
    m_hwnd = nullptr;
    return hwnd;
}

std::string Window::GetText() const {
    int length = ::GetWindowTextLengthA(m_hwnd);
    if (length <= 0)
        return std::string();
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    int got = ::GetWindowTextA(m_hwnd, buffer.data(), length + 1);
    return std::string(buffer.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

void Window::SetText(const std::string& text) { ::SetWindowTextA(m_hwnd, text.c_str()); }
void Window::Show(bool visible) { ::ShowWindow(m_hwnd, visible ? SW_SHOW : SW_HIDE); }
bool Window::IsVisible() const { return ::IsWindowVisible(m_hwnd) != FALSE; }
void Window::Enable(bool enabled) { ::EnableWindow(m_hwnd, enabled); }
bool Window::IsEnabled() const { return ::IsWindowEnabled(m_hwnd) != FALSE; }

void Window::Move(int x, int y, int width, int height, bool repaint) {
    ::MoveWindow(m_hwnd, x, y, width, height, repaint);
}

void Window::SetPosition(int x, int y) {
    ::SetWindowPos(m_hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::SizeAndCentre(int width, int height) {
    SetSize(width, height);
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    SetPosition(work.left + (work.right - work.left - width) / 2, work.top + (work.bottom - work.top - height) / 2);
}

void Window::SetSize(int width, int height) {
    ::SetWindowPos(m_hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT Window::ClientRect() const {
    RECT rect{};
    ::GetClientRect(m_hwnd, &rect);
    return rect;
}

RECT Window::WindowRectIn(HWND parent) const {
    RECT rect{};
    ::GetWindowRect(m_hwnd, &rect);
    ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void Window::Invalidate(bool erase) { ::InvalidateRect(m_hwnd, nullptr, erase); }

LRESULT Window::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hwnd, message, wParam, lParam);
}

} // namespace fw
