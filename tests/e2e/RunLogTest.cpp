// Run logs and history records of the real program: the Quick Test's log
// byte for byte, and a captured program stopped by the user.
#include <gtest/gtest.h>

#include <regex>

#include "EndToEnd.h"
#include "tests/TestFiles.h"

using tavil::Exists;
using tavil::ProfileValue;
using tavil::ReadWholeFile;

namespace {

const char kSilentDefinitions[] = "TYPE=BUNDLE\n[MAX_REPEAT_TIMES]\nREPEATTIMES=1\n"
                                  "[FASTCHECK]\nNUM=2\nTEST_0=silent_module.dll\nTEST_1=silent_module.dll\n"
                                  "REPEAT_ENABLE=1\n";

const char kForeverDefinitions[] = "TYPE=BUNDLE\n[MAX_REPEAT_TIMES]\nREPEATTIMES=1\n"
                                   "[FASTCHECK]\nNUM=0\nREPEAT_ENABLE=1\n"
                                   "[MODULE_0]\nTESTNAME=Forever\nTESTFILE=run_forever.exe\nTESTFILE_SUBDIR=tools\n"
                                   "LOG_OPTION=\nWINDOW_TYPE=DEFAULT\nREPEAT_ENABLE=1\n";

// The demo interface texts name catalogue slot 0 so.
const char kSlot0Name[] = "Memory Test";

} // namespace

TEST(RunLog, PassingQuickTestOfTwoSilentModulesLeavesExactlyTheSpecifiedFile) {
    DemoInstallation installation;
    installation.Write("initest.vhd", kSilentDefinitions, true);
    installation.CopyIn(TEST_MODULES_DIR "\\silent_module.dll", "silent_module.dll");
    Process program(installation.Program(), "", installation.directory());
    HWND window = MainWindowOf(program);
    ASSERT_TRUE(window);
    HWND page = Pages(window)[0];
    PressButton(page, IDC_RUN);
    WaitForRunEnd(window);

    // Logs go to the program's folder in a bundle installation.
    std::string history = installation.Path("report.tmp");
    std::string date = ProfileValue(history, "HISTORY_0", "DATE");
    EXPECT_TRUE(std::regex_match(date, std::regex(R"(\d{4}/\d\d/\d\d  \d\d:\d\d:\d\d)"))) << date;
    // Text mode: each "\r\n" of a text is stored as CR CR LF.
    const std::string separator = "-------------------------\r\r\n\r\r\n";
    EXPECT_EQ("[QuickTest]\r\r\n" + date + "\r\r\n\r\r\n\r\r\n" + separator + separator +
                  "\r\r\n= No error was detected on this TAVIL. =\r\r\n\r\r\n",
              ReadWholeFile(installation.Path("hwck_log00.txt")));
    EXPECT_FALSE(Exists(installation.Path("hwck_log01.txt"))) << "the first run leaves one log";
    EXPECT_EQ("1", ProfileValue(history, "HISTORY_NUM", "NUM"));
    EXPECT_EQ("QuickTest\t\tOK", ProfileValue(history, "HISTORY_0", "RESULT"));

    // The next run moves the log up by one and adds a record on top.
    PressButton(page, IDC_RUN); // Back
    EXPECT_TRUE(WaitUntil([&] { return WindowText(Control(page, IDC_RUN)) == "Run Test"; }, kTimeout));
    PressButton(page, IDC_RUN);
    WaitForRunEnd(window);
    EXPECT_EQ(ReadWholeFile(installation.Path("hwck_log00.txt")).size(),
              ReadWholeFile(installation.Path("hwck_log01.txt")).size());
    EXPECT_EQ("2", ProfileValue(history, "HISTORY_NUM", "NUM"));
    EXPECT_EQ(date, ProfileValue(history, "HISTORY_1", "DATE"));
    CloseAndExpectExit(program, window);
}

TEST(RunLog, StopEndsACapturedProgramAtOnceAndIsRecordedAsAbort) {
    DemoInstallation installation;
    installation.Write("initest.vhd", kForeverDefinitions, true);
    ::CreateDirectoryA(installation.Path("tools").c_str(), nullptr);
    installation.CopyIn(TEST_MODULES_DIR "\\run_forever.exe", "tools\\run_forever.exe");
    Process program(installation.Program(), "", installation.directory());
    HWND window = MainWindowOf(program);
    ASSERT_TRUE(window);
    HWND page = ChooseTab(window, 1);
    ASSERT_TRUE(page);
    RunIndividualTest(page, 1);
    ASSERT_TRUE(WaitForTextContaining(Control(page, IDC_OUTPUT), "running", kTimeout));
    // The window answers at once while the program runs.
    DWORD_PTR answer = 0;
    EXPECT_TRUE(::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer));

    DWORD stopped = ::GetTickCount();
    PressButton(page, IDC_RUN); // Stop
    WaitForRunEnd(window);
    EXPECT_LT(::GetTickCount() - stopped, 5000u) << "the program was ended, not waited for";
    std::string output = WindowText(Control(page, IDC_OUTPUT));
    EXPECT_NE(std::string::npos, output.find("ExitCode=-1")) << output;
    EXPECT_NE(std::string::npos, output.find(std::string("= ") + kSlot0Name + " aborted =")) << output;
    EXPECT_EQ(std::string::npos, output.find("Error found here")) << output;

    std::string log = ReadWholeFile(installation.Path("hwck_log00.txt"));
    EXPECT_EQ(0u, log.find(std::string("[") + kSlot0Name + "]\r\r\n")) << log;
    EXPECT_NE(std::string::npos, log.find("\r\r\n\r\r\nrunning\r\r\nExitCode=-1\r\r\n\r\r\n\r\r\n")) << log;
    EXPECT_NE(std::string::npos, log.find(std::string("= ") + kSlot0Name + " aborted =\r\r\n")) << log;
    EXPECT_EQ(std::string(kSlot0Name) + "\t\tAbort",
              ProfileValue(installation.Path("report.tmp"), "HISTORY_0", "RESULT"));
    CloseAndExpectExit(program, window);
}

TEST(RunLog, DemoHardDiskTestOnWinesMadeUpDiskIsNotAPass) {
    // Wine's mount manager shows the disk of its C: drive as physical drive
    // 0, a fixed disk with a made-up geometry that refuses every read.  The
    // demo installation's hard-disk entry runs its script and surface scan
    // on it for real: the scan says why it could not test, and that is a
    // failure, on screen, in the log and in the history.
    DemoInstallation installation;
    Process program(installation.Program(), "", installation.directory());
    HWND window = MainWindowOf(program);
    ASSERT_TRUE(window);
    HWND page = ChooseTab(window, 1);
    ASSERT_TRUE(page);
    RunIndividualTest(page, 4);
    WaitForRunEnd(window);
    const std::string output = WindowText(Control(page, IDC_OUTPUT));
    const std::string refusal = "The disk refused to be read at sector 0: ";
    for (const std::string& part :
         {std::string("= Hard Disk Test Start =\r\n\r\nDrive 0\r\n\r\n"),
          std::string("Hard Disk Surface Scan of \\\\.\\PHYSICALDRIVE0: 160650000 sectors of 512 bytes"),
          std::string("Sectors to read: 83886080 of 512 bytes (0-62914559, 139678480-160649999)"), refusal,
          std::string("ExitCode=2\r\n"), std::string("Error found here"),
          std::string("=-=-=-=-=-= The detail of the test result"), std::string("= Hard Disk Test is failed =")})
        EXPECT_NE(std::string::npos, output.find(part)) << part << "\n" << output;
    EXPECT_EQ(2u, [&] {
        size_t count = 0;
        for (size_t at = output.find(refusal); at != std::string::npos; at = output.find(refusal, at + 1))
            ++count;
        return count;
    }()) << "printed by the scan, and again in its detail file";

    // The drive's run starts the log afresh, so the file holds the header,
    // the drive's run and the verdict.
    const std::string log = ReadWholeFile(installation.Path("hwck_log00.txt"));
    EXPECT_EQ(0u, log.find("[Hard Disk Test]\r\r\n")) << log;
    EXPECT_NE(std::string::npos, log.find(refusal)) << log;
    EXPECT_NE(std::string::npos, log.find("= Hard Disk Test is failed =\r\r\n")) << log;
    EXPECT_EQ("Hard Disk Test\t\tFailed", ProfileValue(installation.Path("report.tmp"), "HISTORY_0", "RESULT"));
    CloseAndExpectExit(program, window);
}
