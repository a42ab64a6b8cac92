// Entry point of perfmode.exe.
#include <windows.h>

#include "PerfModeApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    perfmode::PerfModeApp app;
    return fw::RunApplication(app);
}
