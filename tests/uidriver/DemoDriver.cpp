// demo_driver.exe: runs the demo installation's Quick Test from the command
// line, as scripts/run does without a display, and saves screenshots of
// the window.
//
//   demo_driver.exe INSTALLATION-FOLDER SCREENSHOT-FOLDER [--tour [CHECKER]]
//
// Starts tavilcheck.exe /diag:fastcheck, saves quick-test-running.bmp while
// the run goes on and quick-test-finished.bmp at its end, prints the run's
// screen text, and closes the program through its quit question.  With
// --tour it first saves a picture of every page (page-*.bmp), and after the
// Quick Test runs the storage test from the Individual Test page
// (storage-test-finished.bmp) and shows the newest log on the History page
// (history-log-shown.bmp), opens the help window (help-window.bmp) and, given
// a stand-in for the system's disk checker, runs Check Hard Disk on the
// first volume (check-hard-disk.bmp).  Exit code 0
// when the run passed, 1 when it did not, 2 when the program misbehaved.
#include <windows.h>

#include <cstdio>
#include <string>

#include "framework/Application.h"
#include "resource_ids.h"
#include "tests/uidriver/UiDriver.h"
#include "tests/uidriver/WindowPicture.h"

using namespace uidriver;

namespace {

constexpr DWORD kTimeout = 60000;
constexpr int kTabWidth = 159;

// The batch page and the Individual Test page: the pages with a run
// button; the Individual Test page's list holds items.
HWND TestPageOf(HWND window, bool individual) {
    for (HWND page : ChildDialogs(Control(window, IDC_PAGE_TABS)))
        if (Control(page, IDC_RUN) && (ListCount(Control(page, IDC_MODULE_LIST)) > 0) == individual)
            return page;
    return nullptr;
}

void Tour(HWND window, const std::string& shots) {
    HWND tabs = Control(window, IDC_PAGE_TABS);
    const char* names[] = {"page-quick-test.bmp", "page-individual-test.bmp", "page-tools.bmp", "page-history.bmp"};
    for (int tab = 0; tab < TabCount(tabs) && tab < 4; ++tab) {
        ClickTab(tabs, tab, kTabWidth);
        ::Sleep(400);
        if (tab == 1)
            if (HWND page = TestPageOf(window, true)) {
                ChooseListItem(page, IDC_MODULE_LIST, 1);
                ::Sleep(400);
            }
        SaveWindowPicture(window, shots + names[tab]);
    }
    ClickTab(tabs, 0, kTabWidth);
    ::Sleep(300);
}

// The storage test, a console program whose output is captured, run from
// the Individual Test page (the tour chose a module there, so the list
// holds the three modules only).
void StorageTest(HWND window, const std::string& shots) {
    ClickTab(Control(window, IDC_PAGE_TABS), 1, kTabWidth);
    ::Sleep(400);
    HWND page = TestPageOf(window, true);
    if (!page)
        return;
    ChooseListItem(page, IDC_MODULE_LIST, 2);
    ::Sleep(300);
    PressButton(page, IDC_RUN);
    if (WaitUntil([&] { return WindowText(Control(page, IDC_RUN)) == "Back"; }, kTimeout)) {
        ::Sleep(300);
        SaveWindowPicture(window, shots + "storage-test-finished.bmp");
    }
    PressButton(page, IDC_RUN); // Back
    ::Sleep(300);
}

// The help window, and Check Hard Disk checking drive C: with
// `checker` (the test prefix has no disk checker of its own: the stand-in
// is put in its system directory for the picture and taken out again).
void HelpAndCheckDisk(HWND window, DWORD pid, const std::string& shots, const std::string& checker) {
    PressButton(window, IDC_HELP_BUTTON);
    if (HWND help = WaitForWindow(pid, "#32770", "Help", kTimeout)) {
        ::Sleep(400);
        SaveWindowPicture(help, shots + "help-window.bmp");
        PressButton(help, IDC_HELP_OK);
        ::Sleep(300);
    }
    if (checker.empty())
        return;
    const std::string installed = fw::SystemDirectory() + "fmifs.dll";
    if (!::CopyFileA(checker.c_str(), installed.c_str(), TRUE))
        return; // a checker is there already: leave it alone
    ::SetEnvironmentVariableA("TAVIL_CHECKER_LINES", "12");
    ClickTab(Control(window, IDC_PAGE_TABS), 2, kTabWidth);
    ::Sleep(400);
    for (HWND page : ChildDialogs(Control(window, IDC_PAGE_TABS)))
        if (Control(page, IDC_CHECK_DISK_OPEN) && IsShown(page))
            PressButton(page, IDC_CHECK_DISK_OPEN);
    if (HWND dialog = WaitForWindow(pid, "#32770", "Check Hard Disk", kTimeout)) {
        CheckListViewRow(Control(dialog, IDC_VOLUME_LIST), 0, true);
        PressButton(dialog, IDC_CHECK_START);
        WaitUntil([&] { return IsEnabledWindow(Control(dialog, IDC_CHECK_START)); }, kTimeout);
        ::Sleep(400);
        SaveWindowPicture(dialog, shots + "check-hard-disk.bmp");
        PressButton(dialog, IDC_CHECK_CANCEL);
        ::Sleep(300);
    }
    ::DeleteFileA(installed.c_str());
    ClickTab(Control(window, IDC_PAGE_TABS), 0, kTabWidth);
    ::Sleep(300);
}

// The History page after the runs: the logs listed, the newest one shown.
void History(HWND window, const std::string& shots) {
    ClickTab(Control(window, IDC_PAGE_TABS), 3, kTabWidth);
    ::Sleep(400);
    for (HWND page : ChildDialogs(Control(window, IDC_PAGE_TABS))) {
        HWND list = Control(page, IDC_HISTORY_LIST);
        if (!list || !IsShown(page))
            continue;
        ClickListViewRow(list, 0);
        ::Sleep(400);
        SaveWindowPicture(window, shots + "history-log-shown.bmp");
    }
    ClickTab(Control(window, IDC_PAGE_TABS), 0, kTabWidth);
    ::Sleep(300);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: demo_driver.exe INSTALLATION-FOLDER SCREENSHOT-FOLDER [--tour [CHECKER]]\n");
        return 2;
    }
    std::string installation = argv[1], shots = argv[2];
    if (installation.back() != '\\')
        installation += '\\';
    if (shots.back() != '\\')
        shots += '\\';
    bool tour = argc > 3 && std::string(argv[3]) == "--tour";

    Process program(installation + "tavilcheck.exe", tour ? "" : "/diag:fastcheck", installation);
    HWND window = program.started() ? WaitForWindow(program.id(), "#32770", nullptr, kTimeout) : nullptr;
    if (!window) {
        std::fprintf(stderr, "demo_driver: the main window did not appear\n");
        return 2;
    }
    HWND page = TestPageOf(window, false);
    if (tour) {
        Tour(window, shots);
        PressButton(page, IDC_RUN);
    }
    HWND run = Control(page, IDC_RUN);
    // Running: the first module has started to report.
    WaitUntil([&] { return WindowText(Control(page, IDC_OUTPUT)).find("Pass 1/1") != std::string::npos; }, kTimeout);
    SaveWindowPicture(window, shots + "quick-test-running.bmp");
    if (!WaitUntil([&] { return WindowText(run) == "Back"; }, kTimeout)) {
        std::fprintf(stderr, "demo_driver: the Quick Test did not end\n");
        return 2;
    }
    ::Sleep(300); // the last repaint
    SaveWindowPicture(window, shots + "quick-test-finished.bmp");
    const std::string output = TextWithLineFeeds(Control(page, IDC_OUTPUT));
    std::printf("%s\n", output.c_str());
    bool passed = output.find("= No error was detected on this TAVIL. =") != std::string::npos;
    if (tour) {
        PressButton(page, IDC_RUN); // Back
        ::Sleep(300);
        StorageTest(window, shots);
        History(window, shots);
        HelpAndCheckDisk(window, program.id(), shots, argc > 4 ? argv[4] : "");
    }

    PressButton(window, IDC_CLOSE);
    MessageBoxView box;
    if (WaitForMessageBox(program.id(), kTimeout, box))
        PressButton(box.hwnd, IDYES);
    if (!program.WaitForExit(kTimeout)) {
        std::fprintf(stderr, "demo_driver: the program did not close\n");
        return 2;
    }
    return passed ? 0 : 1;
}
