// Screenshots for the demo drivers and the documentation.
#pragma once

#include <windows.h>

#include <string>

namespace uidriver {

// Saves the window's screen area as a 24-bit BMP file.
bool SaveWindowPicture(HWND window, const std::string& path);

} // namespace uidriver
