// The welcome dialog of the first start in the real program: Agree only
// after the agreement was read to its end (at once when it fits), the
// settings file's show=0 written after Agree and nothing else of the file
// changed, and the program ending on Disagree or the frame's close.
#include <gtest/gtest.h>

#include "EndToEnd.h"
#include "tests/TestFiles.h"

using tavil::ReadWholeFile;
using tavil::WriteWholeFile;

namespace {

// A settings file asking for the welcome, with a comment and a key the
// program does not know, which a write must keep.
std::string Settings(const char* show) {
    return std::string("; written by the installer\r\n[log]\r\npath=C:\\TAVIL\\Logs\\\r\n[WELCOME]\r\nshow=") + show +
           "\r\nkeep=me\r\n[SUPPORT]\r\nlink=https://support.tavil.example/\r\n";
}

// Pages down through the agreement as a reader does, until Agree is
// enabled; false when it never was.
bool ReadToTheEnd(HWND agreement, HWND agree) {
    for (int page = 0; page < 40 && !IsEnabledWindow(agree); ++page)
        ::SendMessageA(agreement, WM_VSCROLL, SB_PAGEDOWN, 0);
    return IsEnabledWindow(agree);
}

HWND WelcomeOf(Process& program) { return WaitForWindow(program.id(), "#32770", "Welcome", kTimeout); }

// The demo interface texts with the agreement replaced by a short one.
std::string ShortAgreementTexts() {
    std::string texts = ReadWholeFile(TAVIL_DEMO_INTERFACE_TEXTS);
    const size_t start = texts.find("[START]=[-1-1]"), end = texts.find("[END]=[-1-1]");
    return texts.substr(0, start) + "[START]=[-1-1]\r\n[TESTNAME]=[]=[TESTNAME]{\\rtf1 Short terms.\\par}\r\n" +
           texts.substr(end);
}

} // namespace

TEST(Welcome, AgreeOnlyAfterReadingToTheEndThenNeverAgain) {
    DemoInstallation installation;
    const std::string settings = installation.Path("tavilhwdiag.ini");
    WriteWholeFile(settings, Settings("1"));
    Process program(installation.Program(), "", installation.directory());
    HWND welcome = WelcomeOf(program);
    ASSERT_TRUE(welcome);
    EXPECT_TRUE(TopWindows(program.id(), "#32770").size() == 1) << "the main window waits for the answer";
    RECT frame{};
    ::GetWindowRect(welcome, &frame);
    EXPECT_EQ(640, frame.right - frame.left);
    EXPECT_EQ(480, frame.bottom - frame.top);
    HWND agree = Control(welcome, IDC_AGREE);
    EXPECT_EQ("Agree", WindowText(agree));
    EXPECT_EQ("Disagree", WindowText(Control(welcome, IDC_DISAGREE)));
    EXPECT_FALSE(IsEnabledWindow(agree)) << "the demo agreement needs scrolling";

    HWND agreement = Control(welcome, IDC_AGREEMENT_TEXT);
    ::SendMessageA(agreement, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_FALSE(IsEnabledWindow(agree)) << "one line is not the end";
    EXPECT_TRUE(ReadToTheEnd(agreement, agree)) << "read to its end";
    PressButton(welcome, IDC_AGREE);
    HWND window = WaitForWindow(program.id(), "#32770", "TAVIL Hardware Diagnostics", kTimeout);
    ASSERT_TRUE(window) << "no main window after Agree";
    EXPECT_EQ(Settings("0"), ReadWholeFile(settings)) << "show=0 and nothing else changed";
    CloseAndExpectExit(program, window);

    Process again(installation.Program(), "", installation.directory());
    window = MainWindowOf(again);
    ASSERT_TRUE(window);
    EXPECT_EQ("TAVIL Hardware Diagnostics", WindowText(window)) << "no welcome the second time";
    CloseAndExpectExit(again, window);
}

TEST(Welcome, DisagreeAndTheFramesCloseEndTheProgramAndAskAgainNextTime) {
    for (bool frame : {false, true}) {
        DemoInstallation installation;
        const std::string settings = installation.Path("tavilhwdiag.ini");
        WriteWholeFile(settings, Settings("1"));
        Process program(installation.Program(), "", installation.directory());
        HWND welcome = WelcomeOf(program);
        ASSERT_TRUE(welcome);
        if (frame)
            ::PostMessageA(welcome, WM_SYSCOMMAND, SC_CLOSE, 0);
        else
            PressButton(welcome, IDC_DISAGREE);
        ASSERT_TRUE(program.WaitForExit(kTimeout)) << (frame ? "frame" : "Disagree");
        EXPECT_EQ(0, program.ExitCode());
        EXPECT_EQ(Settings("1"), ReadWholeFile(settings));
    }
}

TEST(Welcome, AShortAgreementCanBeAgreedToAtOnce) {
    DemoInstallation installation;
    WriteWholeFile(installation.Path("tavilhwdiag.ini"), Settings("1"));
    installation.Write("uimot.vhd", ShortAgreementTexts(), true);
    Process program(installation.Program(), "", installation.directory());
    HWND welcome = WelcomeOf(program);
    ASSERT_TRUE(welcome);
    EXPECT_TRUE(IsEnabledWindow(Control(welcome, IDC_AGREE))) << "nothing to scroll: read as it stands";
    PressButton(welcome, IDC_AGREE);
    HWND window = WaitForWindow(program.id(), "#32770", "TAVIL Hardware Diagnostics", kTimeout);
    ASSERT_TRUE(window);
    CloseAndExpectExit(program, window);
}

TEST(Welcome, OnlyShowOneAsks) {
    DemoInstallation installation;
    WriteWholeFile(installation.Path("tavilhwdiag.ini"), Settings("2"));
    Process program(installation.Program(), "", installation.directory());
    HWND window = MainWindowOf(program);
    ASSERT_TRUE(window);
    EXPECT_EQ("TAVIL Hardware Diagnostics", WindowText(window)) << "show=2 is no welcome";
    CloseAndExpectExit(program, window);
}
