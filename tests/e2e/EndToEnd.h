// Shared pieces of the end-to-end tests: the demo installation, the main
// window and its pages, closing the program.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "resource_ids.h"
#include "tests/uidriver/Installation.h"
#include "tests/uidriver/UiDriver.h"

using namespace uidriver;

constexpr DWORD kTimeout = 20000;
constexpr int kTabWidth = 159;

const char kServiceDefinitions[] = "[INSTALLATION]\nTYPE=SERVICE\n[MAX_REPEAT_TIMES]\nREPEATTIMES=\n"
                                   "[FASTCHECK]\nNUM=1\nTEST_0=memtest.dll\nREPEAT_ENABLE=5\n"
                                   "[MODULE_0]\nTESTNAME=Memory\nTESTFILE=memtest.dll\n"
                                   "WINDOW_TYPE=DEFAULT\nREPEAT_ENABLE=1\n";

// A fresh copy of the built installation folder.
class DemoInstallation : public Installation {
public:
    DemoInstallation() : Installation(TAVIL_INSTALLATION_DIR "\\") {}
};

// Waits for the main window of `program`.
inline HWND MainWindowOf(Process& program) { return WaitForWindow(program.id(), "#32770", nullptr, kTimeout); }

// The pages of the main window, in tab order (the tab control's children).
inline std::vector<HWND> Pages(HWND window) { return ChildDialogs(Control(window, IDC_PAGE_TABS)); }

// Chooses tab `index` as a user's click does and returns the page then
// shown (a page is made when its tab is first chosen); nullptr when the tab
// did not come to the front in time.
inline HWND ChooseTab(HWND window, int index) {
    HWND tabs = Control(window, IDC_PAGE_TABS);
    ClickTab(tabs, index, kTabWidth);
    if (!WaitUntil([&] { return ::SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == index; }, kTimeout))
        return nullptr;
    // The click is handled to its end (page made and shown) before the
    // window answers a sent message.
    ::SendMessageA(window, WM_NULL, 0, 0);
    for (HWND page : Pages(window))
        if (IsShown(page))
            return page;
    return nullptr;
}

// On the Individual Test page: chooses list item `item` (the first choice
// takes the placeholder away, so the list is one shorter) and presses Run
// Test.
inline void RunIndividualTest(HWND page, int item) {
    HWND list = Control(page, IDC_MODULE_LIST);
    const int count = ListCount(list);
    ChooseListItem(page, IDC_MODULE_LIST, item);
    EXPECT_TRUE(WaitUntil([&] { return ListCount(list) == count - 1; }, kTimeout));
    PressButton(page, IDC_RUN);
}

// Waits until no page's run button reads "Stop" any more and one reads
// "Back": the run has ended.
inline void WaitForRunEnd(HWND window) {
    bool ended = WaitUntil(
        [&] {
            for (HWND page : Pages(window))
                if (WindowText(Control(page, IDC_RUN)) == "Back")
                    return true;
            return false;
        },
        60000);
    EXPECT_TRUE(ended) << "the run did not end";
}

// Expects `program` to show a message box with `caption` and `text` and
// to end with `exitCode` once it is answered with OK.
inline void ExpectMessageThenExit(Process& program, const char* caption, const char* text, int exitCode) {
    MessageBoxView box;
    ASSERT_TRUE(WaitForMessageBox(program.id(), kTimeout, box)) << "no message box shown";
    EXPECT_EQ(caption, box.caption);
    EXPECT_EQ(text, box.text);
    EXPECT_EQ(std::vector<int>{IDOK}, box.buttons);
    PressButton(box.hwnd, IDOK);
    ASSERT_TRUE(program.WaitForExit(kTimeout)) << "program did not end after the message";
    EXPECT_EQ(exitCode, program.ExitCode());
}

// Closes the main window with its Close button, answers Yes to the quit
// question and checks exit code 0.
inline void CloseAndExpectExit(Process& program, HWND window) {
    PressButton(window, IDC_CLOSE);
    MessageBoxView box;
    ASSERT_TRUE(WaitForMessageBox(program.id(), kTimeout, box)) << "no quit question";
    EXPECT_EQ("Do you want to quit?", box.text);
    PressButton(box.hwnd, IDYES);
    ASSERT_TRUE(program.WaitForExit(kTimeout)) << "program did not end after Close";
    EXPECT_EQ(0, program.ExitCode());
}
