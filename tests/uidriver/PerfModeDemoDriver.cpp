// perfmode_demo_driver.exe: shows perfmode.exe of the demo installation
// without a display, as scripts/perfmode does, and saves screenshots.
//
//   perfmode_demo_driver.exe INSTALLATION-FOLDER SCREENSHOT-FOLDER
//
// Starts perfmode.exe, saves performance-dialog.bmp, chooses the other
// mode and presses OK, saves performance-question.bmp of the question that
// follows, answers No (nothing is stored), prints what the dialog showed
// and closes it with Cancel.  Exit code 0 when all of that happened, 2
// when the program misbehaved.
#include <windows.h>

#include <cstdio>
#include <string>

#include "perfmode_resource_ids.h"
#include "tests/uidriver/UiDriver.h"
#include "tests/uidriver/WindowPicture.h"

using namespace uidriver;

namespace {
constexpr DWORD kTimeout = 30000;

int Fail(const char* what) {
    std::fprintf(stderr, "perfmode demo: %s\n", what);
    return 2;
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return Fail("usage: perfmode_demo_driver INSTALLATION-FOLDER SCREENSHOT-FOLDER");
    std::string installation = argv[1], shots = argv[2];
    if (installation.back() != '\\')
        installation += '\\';
    if (shots.back() != '\\')
        shots += '\\';

    Process program(installation + "perfmode.exe", "", installation);
    if (!program.started())
        return Fail("perfmode.exe did not start");
    HWND dialog = nullptr;
    MessageBoxView box;
    WaitUntil(
        [&] {
            for (HWND window : TopWindows(program.id(), "#32770"))
                if (Control(window, IDC_MODE_POWER_SAVING))
                    dialog = window;
            return dialog || WaitForMessageBox(program.id(), 0, box);
        },
        kTimeout);
    if (!dialog) {
        if (box.hwnd)
            std::fprintf(stderr, "perfmode demo: perfmode says: %s\n", box.text.c_str());
        return Fail("the Performance dialog did not appear");
    }
    ::Sleep(300); // let it paint
    SaveWindowPicture(dialog, shots + "performance-dialog.bmp");

    bool performance = ::SendMessageA(Control(dialog, IDC_MODE_PERFORMANCE), BM_GETCHECK, 0, 0) == BST_CHECKED;
    std::printf("Mode in effect: %s\n", performance ? "performance" : "power saving");
    ClickButton(dialog, performance ? IDC_MODE_POWER_SAVING : IDC_MODE_PERFORMANCE);
    bool applyEnabled = WaitUntil([&] { return IsEnabledWindow(Control(dialog, IDC_PERF_APPLY)); }, kTimeout);
    std::printf("Apply enabled after choosing the other mode: %s\n", applyEnabled ? "yes" : "no");
    PressButton(dialog, IDOK);
    if (!WaitForMessageBox(program.id(), kTimeout, box))
        return Fail("no question after OK");
    ::Sleep(300);
    SaveWindowPicture(box.hwnd, shots + "performance-question.bmp");
    std::printf("Question: %s\n", box.text.c_str());
    PressButton(box.hwnd, IDNO);
    PressButton(dialog, IDCANCEL);
    if (!program.WaitForExit(kTimeout))
        return Fail("perfmode.exe did not end after Cancel");
    std::printf("Answered No and closed: nothing was stored.\n");
    return 0;
}
