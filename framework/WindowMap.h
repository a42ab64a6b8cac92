// The one map from window handles to the C++ objects that own them.
// Used only on the user-interface thread.
#pragma once

#include <windows.h>

namespace fw {

class Window;

namespace WindowMap {
void Add(HWND hwnd, Window* window);
void Remove(HWND hwnd);
// The object bound to `hwnd`, or nullptr.
Window* Find(HWND hwnd);
} // namespace WindowMap

} // namespace fw
