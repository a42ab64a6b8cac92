// Program test modules under Wine: the console test programs run through
// the real worker, captured or in a window of their own, reporting to a
// window that records every message.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "ProgramRun.h"
#include "RecordingWindow.h"
#include "framework/Handles.h"
#include "tests/TestFiles.h"
#include "sdk/tavil_module.h"
#include "tavilcheck/history/RunLog.h"
#include "tavilcheck/history/RunLogText.h"

using namespace tavil;

namespace {

std::string Pattern(size_t from, size_t count) {
    std::string text;
    for (size_t i = from; i < from + count; ++i)
        text += static_cast<char>('a' + i % 26);
    return text;
}

const std::string kPassBanner = "\r\n\r\n= Program is OK =\r\n";
const std::string kFailBanner = "\r\n\r\n= Program is failed =\r\n";
const std::string kAbortBanner = "\r\n\r\n= Program aborted =\r\n";

} // namespace

TEST(ProgramModule, OutputIsShownAndLoggedInPiecesOfAtMost256Bytes) {
    ProgramRun run;
    run.testFile = "write_bytes.exe";
    run.Run();
    const std::vector<std::string> pieces = {Pattern(0, 256), Pattern(256, 256), Pattern(512, 88)};
    EXPECT_EQ(pieces, ProgramRun::Output(run.screen));
    EXPECT_EQ(pieces, ProgramRun::Output(run.log));
    EXPECT_EQ((std::vector<std::string>{"= Program Start =\r\n\r\n", pieces[0], pieces[1], pieces[2],
                                        "ExitCode=0\r\n\r\n\r\n", kPassBanner}),
              run.log)
        << "no repetition line for one repetition; no detail section when the program wrote none";
    EXPECT_EQ(0, run.result);
    EXPECT_TRUE(run.window.All(TM_COLOURED_TEXT).empty());
}

TEST(ProgramModule, NulByteEndsThePieceItIsIn) {
    ScopedVariable nul("TAVIL_TEST_NUL_AT", "300");
    ProgramRun run;
    run.testFile = "write_bytes.exe";
    run.Run();
    const std::vector<std::string> pieces = {Pattern(0, 256), Pattern(256, 44), Pattern(512, 88)};
    EXPECT_EQ(pieces, ProgramRun::Output(run.screen));
    EXPECT_EQ(pieces, ProgramRun::Output(run.log));
    EXPECT_EQ(0, run.result);
}

TEST(ProgramModule, NonZeroExitCodeFailsTheModuleWithTheErrorBlock) {
    ScopedVariable code("TAVIL_TEST_EXIT_CODE", "3");
    struct Case {
        int windowType;
        std::vector<std::string> log;
    } cases[] = {
        {WINDOW_DEFAULT, {"= Program Start =\r\n\r\n", "ExitCode=3\r\n\r\n\r\n", kFailBanner}},
        {WINDOW_PROMPT, {"= Program Start =\r\n\r\n", "Failed\r\n", "ExitCode=3\r\n\r\n\r\n", kFailBanner}},
        {WINDOW_DIALOG, {"= Program Start =\r\n\r\n", "Failed\r\n", "ExitCode=3\r\n\r\n\r\n", kFailBanner}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.windowType);
        ProgramRun run;
        run.testFile = "exit_code.exe";
        run.windowType = c.windowType;
        run.Run();
        EXPECT_EQ(3, run.result);
        EXPECT_EQ(c.log, run.log);
        auto coloured = run.window.All(TM_COLOURED_TEXT);
        ASSERT_EQ(1u, coloured.size());
        EXPECT_EQ(kErrorBlock, coloured[0]->text);
        EXPECT_EQ(0x00FFFF, coloured[0]->lParam) << "yellow";
        auto colours = run.window.All(TM_RESULT_COLOUR);
        ASSERT_EQ(1u, colours.size());
        EXPECT_EQ(0u, colours[0]->wParam);
        EXPECT_EQ(0x0000FF, colours[0]->lParam) << "red";
    }
    ProgramRun passing;
    passing.testFile = "exit_code.exe";
    passing.windowType = WINDOW_PROMPT;
    ScopedVariable zero("TAVIL_TEST_EXIT_CODE", "0");
    passing.Run();
    EXPECT_EQ((std::vector<std::string>{"= Program Start =\r\n\r\n", "OK\r\n", "ExitCode=0\r\n\r\n\r\n", kPassBanner}),
              passing.log);
}

TEST(ProgramModule, RepetitionsRestartTheLogAndReportProgress) {
    ScopedVariable code("TAVIL_TEST_EXIT_CODE", "0");
    ProgramRun run;
    run.testFile = "exit_code.exe";
    run.loopCount = 3;
    run.Run();
    EXPECT_EQ(3u, run.window.All(TM_RESTART_LOG).size());
    for (const Message* m : run.window.All(TM_RESTART_LOG))
        EXPECT_EQ(0, m->lParam) << "a repetition, not a service loop";
    std::vector<std::string> lines;
    for (const std::string& text : run.log)
        if (text.rfind("[Times:", 0) == 0)
            lines.push_back(text);
    EXPECT_EQ((std::vector<std::string>{"[Times: 1/3 ]\r\n", "[Times: 2/3 ]\r\n", "[Times: 3/3 ]\r\n"}), lines);
    std::vector<LPARAM> progress;
    for (const Message* m : run.window.All(TM_PROGRESS))
        progress.push_back(m->lParam);
    EXPECT_EQ((std::vector<LPARAM>{33, 33, 33}), progress);

    // "Stop When Error" ends the repetitions after the first failure.
    ScopedVariable failing("TAVIL_TEST_EXIT_CODE", "4");
    ProgramRun stopping;
    stopping.testFile = "exit_code.exe";
    stopping.loopCount = 3;
    stopping.flags = FLAG_STOP_WHEN_ERROR;
    stopping.Run();
    EXPECT_EQ(1u, stopping.window.All(TM_RESTART_LOG).size());
    EXPECT_EQ(4, stopping.result);
}

TEST(ProgramModule, DetailFileIsMadeShownAndDeleted) {
    ScopedVariable code("TAVIL_TEST_EXIT_CODE", "0");
    struct Case {
        const char* what;
        const char* program;
        bool logEnabled;
        const char* logOption;
        const char* contents;
        bool shown, logged;
    } cases[] = {
        {"user logs on", "detail_file.exe", true, "", "detail: all sectors read\r\n", true, true},
        {"user logs on, the program leaves it empty", "exit_code.exe", true, "", "", true, true},
        {"logs off, log option set", "detail_file.exe", false, "1", "detail: all sectors read\r\n", true, false},
        {"logs off, no log option", "detail_file.exe", false, "", "detail: all sectors read\r\n", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramRun run;
        run.testFile = c.program;
        run.logEnabled = c.logEnabled;
        run.logOption = c.logOption;
        run.Run();
        const std::string section = kDetailHead + c.contents + "\r\n";
        EXPECT_EQ(c.shown, std::find(run.screen.begin(), run.screen.end(), section) != run.screen.end());
        EXPECT_EQ(c.logged, std::find(run.log.begin(), run.log.end(), section) != run.log.end());
        EXPECT_FALSE(Exists(run.logDirectory + "DefLog.tmp")) << "deleted after it was shown";
        EXPECT_EQ(0, run.result);
    }
}

TEST(ProgramModule, ProgramGetsItsDirectoriesAsSingleArgumentsEvenWithBlanks) {
    // A copy of the program in a folder whose path holds blanks.
    std::string base = TempDirectory("tavil program dir");
    std::string folder = base + "sub folder\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(
        ::CopyFileA((TestProgramDirectory() + "echo_args.exe").c_str(), (folder + "echo_args.exe").c_str(), FALSE));
    std::string logs = TempDirectory("tavil program logs");
    struct Case {
        bool logEnabled;
        std::string output;
    } cases[] = {
        {true, "[1]=" + folder + "\n[2]=" + logs + "\r\n"},
        {false, "[1]=" + folder + "\n"}, // no detail file: two parts only
    };
    for (const Case& c : cases) {
        ProgramRun run;
        run.programDirectory = base;
        run.testSubdir = "sub folder";
        run.testFile = "echo_args.exe";
        run.logDirectory = logs;
        run.logEnabled = c.logEnabled;
        run.Run();
        EXPECT_EQ(c.output, Joined(ProgramRun::Output(run.screen)));
        EXPECT_EQ(0, run.result);
    }
}

TEST(ProgramModule, ProgramThatCannotBeStartedFailsTheModule) {
    for (int windowType : {WINDOW_DEFAULT, WINDOW_PROMPT}) {
        SCOPED_TRACE(windowType);
        ProgramRun run;
        run.testFile = "no_such_program.exe";
        run.windowType = windowType;
        run.logEnabled = true;
        run.loopCount = 3;
        run.Run();
        EXPECT_EQ(TAVIL_RESULT_NOT_STARTED, run.result);
        ASSERT_EQ(4u, run.log.size()) << ::testing::PrintToString(run.log);
        EXPECT_EQ("[Times: 1/3 ]\r\n", run.log[1]);
        const std::string& line = run.log[2];
        EXPECT_EQ(0u,
                  line.find(TestProgramDirectory() + "\\no_such_program.exe could not be started (CreateProcess): "))
            << line;
        EXPECT_EQ(line, run.screen[2]);
        EXPECT_EQ(kFailBanner, run.log.back());
        EXPECT_EQ(1u, run.window.All(TM_RESTART_LOG).size()) << "the repetitions end";
        EXPECT_EQ(1u, run.window.All(TM_COLOURED_TEXT).size());
        EXPECT_FALSE(Exists(run.logDirectory + "DefLog.tmp"));
    }
}

TEST(ProgramModule, StopEndsTheRunningProgramAtOnce) {
    ProgramRun run;
    run.testFile = "run_forever.exe";
    run.loopCount = 2;
    run.onMessage = [](const Message& m, CCallDllThread& worker) {
        if (m.id == TM_SCREEN_TEXT && m.text == "running\r\n")
            worker.Abort(); // the user presses Stop, on the window's thread
    };
    DWORD start = ::GetTickCount();
    run.Run();
    EXPECT_LT(::GetTickCount() - start, 10000u) << "the program was ended, not waited for";
    EXPECT_EQ((std::vector<std::string>{"= Program Start =\r\n\r\n", "[Times: 1/2 ]\r\n", "running\r\n",
                                        "ExitCode=-1\r\n\r\n\r\n", kAbortBanner}),
              run.log);
    EXPECT_TRUE(run.window.All(TM_COLOURED_TEXT).empty()) << "no error block after Stop";
    EXPECT_EQ(0, run.result) << "an aborted repetition does not decide the result";
}

TEST(ProgramModule, StopBeforeTheWorkerBeginsIsKept) {
    // The user presses Stop at once after Run: the worker's thread has not
    // begun yet, and must still see the Stop when it does.
    ProgramRun run;
    run.testFile = "run_forever.exe";
    run.loopCount = 3;
    run.stopBeforeStart = true;
    DWORD start = ::GetTickCount();
    run.Run();
    EXPECT_LT(::GetTickCount() - start, 10000u) << "no repetition ran to its end";
    EXPECT_EQ((std::vector<std::string>{"= Program Start =\r\n\r\n", kAbortBanner}), run.log);
    EXPECT_TRUE(run.window.All(TM_RESTART_LOG).empty()) << "no repetition began";
}

TEST(ProgramModule, StopEndsEveryProcessTheProgramStarted) {
    // The program starts a child that inherits the output pipe and keeps
    // writing to it: Stop must end both, and the capture then ends because
    // the pipe breaks.
    ScopedVariable spawn("TAVIL_TEST_SPAWN", "1");
    for (int windowType : {WINDOW_DEFAULT, WINDOW_DIALOG}) {
        SCOPED_TRACE(windowType);
        ProgramRun run;
        run.testFile = "run_forever.exe";
        run.windowType = windowType;
        DWORD child = 0;
        bool running = false, stopped = false;
        if (windowType == WINDOW_DEFAULT) // Stop once the program and its child have spoken
            run.onMessage = [&](const Message& m, CCallDllThread& worker) {
                if (m.id != TM_SCREEN_TEXT)
                    return;
                if (m.text.rfind("child ", 0) == 0)
                    child = std::strtoul(m.text.c_str() + 6, nullptr, 10);
                running = running || m.text == "running\r\n";
                if (!stopped && child && running) {
                    stopped = true;
                    worker.Abort();
                }
            };
        else // nothing is captured: Stop a moment after the program started
            run.onMessage = [&](const Message& m, CCallDllThread& worker) {
                if (!stopped && m.id == TM_RESTART_LOG) {
                    stopped = true;
                    std::thread([&worker] {
                        ::Sleep(1000);
                        worker.Abort();
                    }).detach();
                }
            };
        DWORD start = ::GetTickCount();
        run.Run();
        EXPECT_LT(::GetTickCount() - start, 15000u) << "the run ended when Stop ended the process tree";
        EXPECT_EQ(kAbortBanner, run.log.back());
        if (windowType == WINDOW_DEFAULT) {
            ASSERT_NE(0u, child) << "the child said who it is";
            fw::Handle process(::OpenProcess(SYNCHRONIZE, FALSE, child));
            EXPECT_TRUE(!process || ::WaitForSingleObject(process.get(), 5000) == WAIT_OBJECT_0)
                << "the program's child was ended too";
        }
    }
}

TEST(ProgramModule, WindowTypesStartTheProgramWithTheirShowState) {
    struct Case {
        int windowType;
        const char* exitLine;
    } cases[] = {{WINDOW_PROMPT, "ExitCode=5\r\n\r\n\r\n"}, {WINDOW_DIALOG, "ExitCode=0\r\n\r\n\r\n"}};
    for (const Case& c : cases) {
        ProgramRun run;
        run.testFile = "show_state.exe";
        run.windowType = c.windowType;
        run.Run();
        EXPECT_NE(run.log.end(), std::find(run.log.begin(), run.log.end(), c.exitLine))
            << "window type " << c.windowType << ": " << ::testing::PrintToString(run.log);
    }
}

TEST(ProgramModule, FloodOfOutputArrivesWholeAndInOrder) {
    const size_t size = 2 * 1024 * 1024 + 77;
    ScopedVariable bytes("TAVIL_TEST_BYTES", std::to_string(size).c_str());
    ProgramRun run;
    run.testFile = "flood_output.exe";
    run.logEnabled = false;
    run.Run();
    std::vector<std::string> pieces = ProgramRun::Output(run.screen);
    size_t largest = 0;
    for (const std::string& piece : pieces)
        largest = std::max(largest, piece.size());
    EXPECT_LE(largest, 256u);
    std::string all = Joined(pieces);
    EXPECT_EQ(size, all.size());
    EXPECT_TRUE(all == Pattern(0, size)) << "bytes lost or out of order";
    EXPECT_EQ(0, run.result);
}

TEST(ProgramModule, LogOfThreeRepetitionsKeepsTheLastOne) {
    // The log messages go to a run log as the main window routes them for
    // a single run: every restart empties it and writes the header again.
    std::string directory = TempDirectory("tavil_program_repetitions");
    RunLog log;
    ASSERT_TRUE(log.OpenForRun(directory));
    const std::string header = RunLogHeader("Program", "2026/12/10  09:05:01", "TAVIL X1");
    log.Write(header.c_str());
    ProgramRun run;
    run.testFile = "echo_args.exe";
    run.loopCount = 3;
    run.onMessage = [&](const Message& m, CCallDllThread&) {
        if (m.id == TM_LOG_TEXT)
            log.Write(m.text.c_str());
        else if (m.id == TM_RESTART_LOG)
            log.Restart(header);
    };
    run.Run();
    log.Close();
    const std::string moduleDirectory = TestProgramDirectory() + "\\";
    EXPECT_EQ("[Program]\r\r\n2026/12/10  09:05:01\r\r\nTAVIL X1\r\r\n\r\r\n"
              "[Times: 3/3 ]\r\r\n"
              "[1]=" +
                  moduleDirectory +
                  "\r\n" // a bare line feed of the program is stored as CR LF
                  "ExitCode=0\r\r\n\r\r\n\r\r\n"
                  "\r\r\n\r\r\n= Program is OK =\r\r\n",
              ReadWholeFile(directory + LogFileName(0)));
}
