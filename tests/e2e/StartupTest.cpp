// tavilcheck.exe started in a temporary installation folder and driven
// from outside: start-up, data-file checks, command line, titles.
#include <gtest/gtest.h>

#include "EndToEnd.h"

using namespace uidriver;

namespace {

const char kBundleTitle[] = "TAVIL Hardware Diagnostics";
const char kServiceTitle[] = "TAVIL Inspection Tool for Windows";
const char kFileMissing[] = "File is missing, Quit the application ! --- (E-NORMAL-003)";
const char kInvalidIni[] = "Invalid Ini file, Quit the application! --- (E-NORMAL-004)";

} // namespace

TEST(Startup, DemoInstallationOpensTheMainWindow) {
    DemoInstallation installation;
    Process program(installation.Program(), "", installation.directory());
    ASSERT_TRUE(program.started());
    HWND window = MainWindowOf(program);
    ASSERT_TRUE(window) << "main window did not appear";
    EXPECT_EQ(kBundleTitle, WindowText(window));
    EXPECT_EQ("Close", WindowText(Control(window, IDC_CLOSE)));
    EXPECT_EQ("Help", WindowText(Control(window, IDC_HELP_BUTTON)));
    RECT rect{};
    ::GetWindowRect(window, &rect);
    EXPECT_EQ(640, rect.right - rect.left);
    EXPECT_EQ(480, rect.bottom - rect.top);
    // The template's hidden controls stay hidden.
    EXPECT_FALSE(IsShown(Control(window, IDC_SCAN_DISK)));
    EXPECT_FALSE(IsShown(Control(window, IDC_ADVANCED_MENU)));

    // Enter and Esc do not close the window.
    SendCommand(window, IDOK);
    SendCommand(window, IDCANCEL);
    EXPECT_FALSE(program.WaitForExit(500)) << "Enter or Esc closed the window";
    CloseAndExpectExit(program, window);
}

TEST(Startup, SecondInstanceEndsSilently) {
    DemoInstallation installation;
    Process first(installation.Program(), "", installation.directory());
    HWND window = MainWindowOf(first);
    ASSERT_TRUE(window);

    Process second(installation.Program(), "", installation.directory());
    ASSERT_TRUE(second.WaitForExit(kTimeout));
    EXPECT_EQ(-1, second.ExitCode());
    EXPECT_TRUE(TopWindows(second.id()).empty());
    CloseAndExpectExit(first, window);
}

TEST(Startup, MissingDataFileShowsFileMissing) {
    for (const char* name : {"initest.vhd", "uimot.vhd", "tavilhwdiag.ini", "hwconfig.dll"}) {
        SCOPED_TRACE(name);
        DemoInstallation installation;
        installation.Remove(name);
        Process program(installation.Program(), "", installation.directory());
        ExpectMessageThenExit(program, "Warning", kFileMissing, 0);
    }
}

TEST(Startup, RecoveryBuildNeedsNeitherSettingsNorSystemInformation) {
    DemoInstallation installation;
    installation.Write("initest.vhd", "TYPE=RECOVERY\n[MAX_REPEAT_TIMES]\nREPEATTIMES=1\n", true);
    installation.Remove("tavilhwdiag.ini");
    installation.Remove("hwconfig.dll");
    Process program(installation.Program(), "", installation.directory());
    HWND window = MainWindowOf(program);
    ASSERT_TRUE(window);
    EXPECT_EQ(kBundleTitle, WindowText(window));
    CloseAndExpectExit(program, window);
}

TEST(Startup, InvalidDefinitionFileShowsInvalidIni) {
    const char* invalid[] = {
        "TYPE=BUNDLE\n[FASTCHECK]\nNUM=0\nREPEAT_ENABLE=1\n", // no [MAX_REPEAT_TIMES]
        "TYPE=BUNDLE\n[MAX_REPEAT_TIMES]\nREPEATTIMES=1\n[FASTCHECK]\nNUM=0\n"
        "REPEAT_ENABLE=1\n[MODULE_0]\nTESTNAME=\nTESTFILE=a.dll\n", // empty TESTNAME
        "",                                                         // empty file
    };
    for (const char* text : invalid) {
        SCOPED_TRACE(text);
        DemoInstallation installation;
        installation.Write("initest.vhd", text, true);
        Process program(installation.Program(), "", installation.directory());
        ExpectMessageThenExit(program, "Warning", kInvalidIni, 0);
    }
}

TEST(Startup, ServiceFileGivesTheInspectionTitle) {
    DemoInstallation installation;
    installation.Write("initest.vhd", kServiceDefinitions, false);
    Process program(installation.Program(), "", installation.directory());
    HWND window = MainWindowOf(program);
    ASSERT_TRUE(window);
    EXPECT_EQ(kServiceTitle, WindowText(window));
    EXPECT_EQ("QUIT", WindowText(Control(window, IDC_CLOSE)));
    CloseAndExpectExit(program, window);
}

TEST(Startup, DirectRunNamingNoModuleIsRefused) {
    struct Case {
        const char* arguments;
        bool accepted, runs;
    } cases[] = {
        {"/diag:nosuchtest", false, false},
        {"/diag:MEMTEST.DLL /n:3", true, true}, // lower-cased, found in memtest.dll
        {"/diag:fastcheck /n:2", true, true},
        {"/diag:Memtest.dl", false, false}, // memtest.dl.dll is no module
        {"/DIAG:nosuchtest", true, false},  // options are case-sensitive: ignored
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        DemoInstallation installation;
        Process program(installation.Program(), c.arguments, installation.directory());
        if (!c.accepted) {
            ExpectMessageThenExit(program, "Warning", "Parameter is wrong", -1);
            continue;
        }
        HWND window = MainWindowOf(program);
        ASSERT_TRUE(window);
        if (c.runs)
            WaitForRunEnd(window);
        CloseAndExpectExit(program, window);
    }
}

TEST(Startup, ResourceLibraryReplacesTheProgramsTexts) {
    DemoInstallation installation;
    installation.CopyIn(TEST_RESOURCE_LIBRARY, "ResTCheck.dll");
    Process program(installation.Program(), "", installation.directory());
    HWND window = MainWindowOf(program);
    ASSERT_TRUE(window);
    EXPECT_EQ("TAVIL Diagnostics (from the resource library)", WindowText(window));
    // Strings the library lacks come from the program.
    EXPECT_EQ("Close", WindowText(Control(window, IDC_CLOSE)));
    CloseAndExpectExit(program, window);
}

TEST(Startup, BrokenResourceLibraryIsIgnored) {
    DemoInstallation installation;
    installation.Write("ResTCheck.dll", "this is not a library", false);
    Process program(installation.Program(), "", installation.directory());
    HWND window = MainWindowOf(program);
    ASSERT_TRUE(window);
    EXPECT_EQ(kBundleTitle, WindowText(window));
    CloseAndExpectExit(program, window);
}
