// The main window from outside: the tab sets and layouts of each kind of
// installation, the Individual Test list, runs from the window and from the
// command line, Stop, Back, the quit question and the power broadcast.
#include <gtest/gtest.h>

#include <algorithm>

#include "EndToEnd.h"

namespace {

// Slow module of the tests: works until Stop is pressed (at most 20 s).
const char kPollStopDefinitions[] = "TYPE=BUNDLE\n[MAX_REPEAT_TIMES]\nREPEATTIMES=100\n"
                                    "[FASTCHECK]\nNUM=1\nTEST_0=pollstop_module.dll\nREPEAT_ENABLE=1\n"
                                    "[MODULE_0]\nTESTNAME=Poll\nTESTFILE=pollstop_module.dll\nTESTFILE_SUBDIR=\n"
                                    "LOG_OPTION=\nWINDOW_TYPE=DEFAULT\nREPEAT_ENABLE=1\n";

enum PageKind { kBatch, kIndividual, kTools, kHistory };

// The page of `kind`, told apart by the controls it holds.
HWND PageOf(HWND window, PageKind kind) {
    for (HWND page : Pages(window)) {
        bool hasTools = Control(page, IDC_TOOLS_TEXT) != nullptr;
        bool hasHistory = Control(page, IDC_HISTORY_LIST) != nullptr;
        bool hasRun = Control(page, IDC_RUN) != nullptr;
        if ((kind == kTools && hasTools) || (kind == kHistory && hasHistory))
            return page;
        if (hasRun && (kind == kBatch || kind == kIndividual)) {
            // The batch page's list stays hidden all its life.
            bool listShown = IsShown(Control(page, IDC_MODULE_LIST)) || ListCount(Control(page, IDC_MODULE_LIST)) > 0;
            if ((kind == kIndividual) == listShown)
                return page;
        }
    }
    return nullptr;
}

// The tab titles, as the pages carry them, sorted.  A page is made when
// its tab is first chosen, so each tab is chosen once, as a user would,
// ending on the first.
std::vector<std::string> TabTitles(HWND window) {
    const size_t count = static_cast<size_t>(TabCount(Control(window, IDC_PAGE_TABS)));
    for (int tab = static_cast<int>(count) - 1; tab >= 0; --tab)
        EXPECT_TRUE(ChooseTab(window, tab));
    EXPECT_EQ(count, Pages(window).size());
    std::vector<std::string> titles;
    for (HWND page : Pages(window))
        titles.push_back(WindowText(page));
    std::sort(titles.begin(), titles.end());
    return titles;
}

int WindowHeight(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

} // namespace

TEST(MainWindow, EachInstallationHasItsTabsTitlePromptAndHeight) {
    struct Case {
        const char* what;
        const char* definitions; // nullptr: the demo file
        std::vector<std::string> tabs;
        std::string title, prompt, close;
        int height;
    } cases[] = {
        {"bundle",
         nullptr,
         {" Quick Test ", " Individual Test ", " Tools", " History "},
         "TAVIL Hardware Diagnostics",
         "Please run the Quick Test first",
         "Close",
         480},
        {"full test",
         "TYPE=BUNDLE\nSUBTYPE=FULLTEST\n[MAX_REPEAT_TIMES]\nREPEATTIMES=1\n[FASTCHECK]\nNUM=0\nREPEAT_ENABLE=1\n",
         {" Full Test ", " Individual Test ", " Tools", " History "},
         "TAVIL Hardware Diagnostics",
         "Please run Full Test",
         "Close",
         480},
        {"service",
         kServiceDefinitions,
         {" Final Inspection ", " Individual Test ", " Tools", " History "},
         "TAVIL Inspection Tool for Windows",
         "Please run the Quick Test first",
         "QUIT",
         500},
        {"recovery full test",
         "TYPE=RECOVERY\nSUBTYPE=FULLTEST\n[MAX_REPEAT_TIMES]\nREPEATTIMES=1\n",
         {" Quick Test "},
         "TAVIL Hardware Diagnostics",
         "",
         "Close",
         480},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DemoInstallation installation;
        if (c.definitions)
            installation.Write("initest.vhd", c.definitions, std::string(c.definitions) != kServiceDefinitions);
        Process program(installation.Program(), "", installation.directory());
        HWND window = MainWindowOf(program);
        ASSERT_TRUE(window);
        std::vector<std::string> sorted = c.tabs;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, TabTitles(window));
        EXPECT_EQ(static_cast<int>(c.tabs.size()), TabCount(Control(window, IDC_PAGE_TABS)));
        EXPECT_EQ(c.title, WindowText(window));
        EXPECT_EQ(c.close, WindowText(Control(window, IDC_CLOSE)));
        EXPECT_EQ(c.height, WindowHeight(window));
        HWND batch = PageOf(window, kBatch);
        ASSERT_TRUE(batch);
        EXPECT_EQ(c.tabs[0], WindowText(batch)) << "the first tab is the batch page";
        HWND prompt = Control(batch, IDC_PROMPT);
        EXPECT_EQ(!c.prompt.empty(), IsShown(prompt));
        if (!c.prompt.empty()) {
            EXPECT_EQ(c.prompt, WindowText(prompt));
        }
        EXPECT_EQ("Run Test", WindowText(Control(batch, IDC_RUN)));
        CloseAndExpectExit(program, window);
    }
}

TEST(MainWindow, IndividualTestListLosesItsPlaceholderAtTheFirstChoice) {
    DemoInstallation installation;
    Process program(installation.Program(), "", installation.directory());
    HWND window = MainWindowOf(program);
    ASSERT_TRUE(window);
    HWND page = ChooseTab(window, 1);
    ASSERT_TRUE(page);
    EXPECT_EQ(page, PageOf(window, kIndividual));
    HWND list = Control(page, IDC_MODULE_LIST);
    std::vector<std::string> expected = {"Please select a test       ", "Memory Test", "Processor Test", "Storage Test",
                                         "Hard Disk Test"};
    std::vector<std::string> items;
    for (int i = 0; i < ListCount(list); ++i)
        items.push_back(ListText(list, i));
    EXPECT_EQ(expected, items);

    // Run Test with no choice: the warning, and nothing starts.
    PressButton(page, IDC_RUN);
    MessageBoxView box;
    ASSERT_TRUE(WaitForMessageBox(program.id(), kTimeout, box));
    EXPECT_EQ("Warning", box.caption);
    EXPECT_EQ("Please select a test       ", box.text);
    PressButton(box.hwnd, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return TopWindows(program.id(), "#32770").size() == 1; }, kTimeout));
    EXPECT_EQ("Run Test", WindowText(Control(page, IDC_RUN)));

    // Choosing the placeholder does nothing; a module removes it.
    ChooseListItem(page, IDC_MODULE_LIST, 0);
    ::Sleep(200);
    EXPECT_EQ(5, ListCount(list));
    ChooseListItem(page, IDC_MODULE_LIST, 2);
    EXPECT_TRUE(WaitUntil([&] { return ListCount(list) == 4; }, kTimeout));
    EXPECT_TRUE(WaitForTextContaining(Control(page, IDC_DESCRIPTION), "Runs known computations", kTimeout))
        << "the chosen module's description";
    CloseAndExpectExit(program, window);
}

TEST(MainWindow, QuickTestFromTheWindowAndTheCommandLine) {
    for (const char* arguments : {"", "/diag:fastcheck /n:2"}) {
        SCOPED_TRACE(arguments);
        DemoInstallation installation;
        Process program(installation.Program(), arguments, installation.directory());
        HWND window = MainWindowOf(program);
        ASSERT_TRUE(window);
        HWND page = PageOf(window, kBatch);
        ASSERT_TRUE(page);
        if (!*arguments)
            PressButton(page, IDC_RUN);
        WaitForRunEnd(window);
        std::string output = WindowText(Control(page, IDC_OUTPUT));
        EXPECT_NE(std::string::npos, output.find("Memory Test: passed.")) << output;
        EXPECT_NE(std::string::npos, output.find("= No error was detected on this TAVIL. =")) << output;
        // /n:2 runs the batch twice.
        size_t passes = 0;
        for (size_t at = output.find("Memory Test: passed."); at != std::string::npos;
             at = output.find("Memory Test: passed.", at + 1))
            ++passes;
        EXPECT_EQ(*arguments ? 2u : 1u, passes) << output;
        EXPECT_TRUE(IsShown(Control(page, IDC_OUTPUT)));
        EXPECT_EQ("100%Finished", WindowText(Control(page, IDC_PROGRESS_TEXT)));
        EXPECT_EQ("Click the Back button to return to the top menu", WindowText(Control(page, IDC_PROMPT)));
        EXPECT_TRUE(IsEnabledWindow(Control(window, IDC_CLOSE)));

        // Back: the idle view again.
        PressButton(page, IDC_RUN);
        EXPECT_TRUE(WaitUntil([&] { return WindowText(Control(page, IDC_RUN)) == "Run Test"; }, kTimeout));
        EXPECT_TRUE(WaitUntil([&] { return !IsShown(Control(page, IDC_OUTPUT)); }, kTimeout));
        EXPECT_TRUE(IsShown(Control(page, IDC_DESCRIPTION)));
        EXPECT_EQ("Please run the Quick Test first", WindowText(Control(page, IDC_PROMPT)));
        CloseAndExpectExit(program, window);
    }
}

TEST(MainWindow, DuringARunTheWindowHoldsAndStopEndsIt) {
    DemoInstallation installation;
    installation.Write("initest.vhd", kPollStopDefinitions, true);
    installation.CopyIn(TEST_MODULES_DIR "\\pollstop_module.dll", "pollstop_module.dll");
    Process program(installation.Program(), "", installation.directory());
    HWND window = MainWindowOf(program);
    ASSERT_TRUE(window);
    HWND page = PageOf(window, kBatch);
    PressButton(page, IDC_RUN);
    ASSERT_TRUE(WaitForTextContaining(Control(page, IDC_OUTPUT), "poll module: started", kTimeout));
    EXPECT_EQ("Stop", WindowText(Control(page, IDC_RUN)));
    EXPECT_EQ("Click the Stop button to abort the test ", WindowText(Control(page, IDC_PROMPT)));
    EXPECT_FALSE(IsEnabledWindow(Control(window, IDC_CLOSE)));

    // A suspend query is refused while the test runs.
    EXPECT_EQ(0x424D5144, ::SendMessageA(window, WM_POWERBROADCAST, 0, 0));
    // A locked tab keeps the running page in front.
    ClickTab(Control(window, IDC_PAGE_TABS), 3, kTabWidth);
    ::Sleep(300);
    EXPECT_TRUE(IsShown(page));
    EXPECT_FALSE(IsShown(PageOf(window, kHistory)));
    // The title-bar close asks to stop first and the run goes on.
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    MessageBoxView box;
    ASSERT_TRUE(WaitForMessageBox(program.id(), kTimeout, box));
    EXPECT_EQ("Please stop the test before you close the window", box.text);
    PressButton(box.hwnd, IDOK);

    PressButton(page, IDC_RUN); // Stop
    WaitForRunEnd(window);
    std::string output = WindowText(Control(page, IDC_OUTPUT));
    EXPECT_NE(std::string::npos, output.find("poll module: stopped")) << output;
    EXPECT_NE(std::string::npos, output.find("= Test was aborted =")) << output;
    EXPECT_TRUE(IsEnabledWindow(Control(window, IDC_CLOSE)));
    EXPECT_NE(0x424D5144, ::SendMessageA(window, WM_POWERBROADCAST, 0, 0)) << "allowed after the run";
    CloseAndExpectExit(program, window);
}

TEST(MainWindow, QuitQuestionDefaultsToNo) {
    DemoInstallation installation;
    Process program(installation.Program(), "", installation.directory());
    HWND window = MainWindowOf(program);
    ASSERT_TRUE(window);
    PressButton(window, IDC_CLOSE);
    MessageBoxView box;
    ASSERT_TRUE(WaitForMessageBox(program.id(), kTimeout, box));
    EXPECT_EQ("Warning", box.caption);
    EXPECT_EQ((std::vector<int>{IDYES, IDNO}), box.buttons);
    // Enter answers with the default button: No, and the window stays.
    auto isDefault = [&](int id) {
        return (::GetWindowLongA(Control(box.hwnd, id), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
    };
    EXPECT_TRUE(isDefault(IDNO));
    EXPECT_FALSE(isDefault(IDYES));
    SendCommand(box.hwnd, IDNO);
    EXPECT_FALSE(program.WaitForExit(500));
    EXPECT_TRUE(IsShown(window));
    CloseAndExpectExit(program, window);
}
