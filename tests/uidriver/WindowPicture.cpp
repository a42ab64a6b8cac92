#include "WindowPicture.h"

#include <fstream>

#include "framework/Gdi.h"

namespace uidriver {

bool SaveWindowPicture(HWND window, const std::string& path) {
    RECT rect;
    ::GetWindowRect(window, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    fw::WindowDC screenDC(nullptr);
    HDC screen = screenDC.get();
    fw::MemoryDC memoryDC(screen);
    HDC memory = memoryDC.get();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    fw::Bitmap bitmap(::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap)
        return false;
    {
        fw::ScopedSelect selected(memory, bitmap.get());
        ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    }
    DWORD rowSize = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    DWORD dataSize = rowSize * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + dataSize;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), dataSize);
    out.close();
    return !out.fail();
}

} // namespace uidriver
