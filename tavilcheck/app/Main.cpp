// Entry point of tavilcheck.exe.
#include <windows.h>

#include "TavilCheckApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    tavil::TavilCheckApp app;
    return fw::RunApplication(app);
}
