// The run log files and the history file under Wine: rotation, text mode,
// restarts, directories, and history records through the profile
// functions.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/TestFiles.h"
#include "tavilcheck/history/HistoryFile.h"
#include "tavilcheck/history/RunLog.h"
#include "tavilcheck/history/RunLogText.h"

using namespace tavil;

namespace {

// Fills the log directory with the numbered logs `numbers`, each holding
// "log <n>".
void MakeLogs(const std::string& directory, std::initializer_list<int> numbers) {
    for (int n : numbers)
        WriteWholeFile(directory + LogFileName(n), "log " + std::to_string(n));
}

std::string Log(const std::string& directory, int n) { return ReadWholeFile(directory + LogFileName(n)); }

} // namespace

TEST(RunLog, RotationMovesEveryLogUpByOne) {
    std::string directory = TempDirectory("tavil_rotation");
    std::initializer_list<int> gapAt03 = {0, 1, 2, 4, 5};
    MakeLogs(directory, gapAt03);
    RunLog log;
    ASSERT_TRUE(log.OpenForRun(directory));
    log.Close();
    EXPECT_EQ("", Log(directory, 0)) << "the new run's log starts empty";
    EXPECT_EQ("log 0", Log(directory, 1));
    EXPECT_EQ("log 1", Log(directory, 2));
    EXPECT_EQ("log 2", Log(directory, 3)) << "the gap is filled";
    EXPECT_EQ("log 4", Log(directory, 4)) << "a copy: the source stays";
    EXPECT_EQ("log 4", Log(directory, 5));
    EXPECT_EQ("log 5", Log(directory, 6));
    EXPECT_FALSE(Exists(directory + LogFileName(7)));

    std::string full = TempDirectory("tavil_rotation_full");
    for (int n = 0; n < kLogFileCount; ++n)
        MakeLogs(full, {n});
    ASSERT_TRUE(log.OpenForRun(full + "\\\\")) << "several trailing backslashes";
    log.Close();
    EXPECT_EQ("log 97", Log(full, 98)) << "the former 98 is gone";
    EXPECT_EQ("log 0", Log(full, 1));
    EXPECT_EQ("", Log(full, 0));
    EXPECT_FALSE(Exists(full + "hwck_log99.txt"));
    EXPECT_EQ(full + "report.tmp", log.HistoryPath());
}

TEST(RunLog, TextModeStoresEveryLineFeedAsCrLf) {
    std::string directory = TempDirectory("tavil_text_mode");
    RunLog log;
    ASSERT_TRUE(log.OpenForRun(directory));
    log.Write("batch line\r\n");
    log.Write("program line\n");
    log.Write(nullptr);
    log.Close();
    EXPECT_EQ("batch line\r\r\nprogram line\r\n", Log(directory, 0));
}

TEST(RunLog, RestartEmptiesTheLogAndReopenKeepsIt) {
    std::string directory = TempDirectory("tavil_restart");
    RunLog log;
    ASSERT_TRUE(log.OpenForRun(directory));
    log.Write("first repetition\r\n");
    log.Restart(RunLogHeader("Memory", "2026/12/10  09:05:01", "TAVIL X1"));
    EXPECT_TRUE(log.ready());
    log.Write("second");
    log.Reopen();
    EXPECT_EQ("[Memory]\r\r\n2026/12/10  09:05:01\r\r\nTAVIL X1\r\r\n\r\r\nsecond", Log(directory, 0))
        << "after a reopen what was written is on disk";
    log.Write(" repetition");
    EXPECT_TRUE(log.Close());
    EXPECT_FALSE(log.Close()) << "closed once";
    EXPECT_EQ("[Memory]\r\r\n2026/12/10  09:05:01\r\r\nTAVIL X1\r\r\n\r\r\nsecond repetition", Log(directory, 0));

    // Without an open log nothing is written and nothing is opened.
    log.Restart("header");
    log.Reopen();
    log.Write("lost");
    EXPECT_FALSE(log.IsOpen());
}

TEST(RunLog, DirectoryNamedByAModuleIsAppendedTo) {
    std::string directory = TempDirectory("tavil_set_dir");
    MakeLogs(directory, {0});
    RunLog log;
    ASSERT_TRUE(log.UseDirectory(directory + "\\\\"));
    EXPECT_EQ(directory, log.directory());
    log.Write(" more");
    log.Close();
    EXPECT_EQ("log 0 more", Log(directory, 0)) << "appended, no rotation, no header";
    EXPECT_FALSE(Exists(directory + LogFileName(1)));

    // Too long for the 1024-character path buffers: refused, nothing changes.
    std::string tooLong = "C:\\" + std::string(1010, 'x');
    EXPECT_FALSE(log.UseDirectory(tooLong));
    EXPECT_EQ(directory, log.directory());
    EXPECT_FALSE(log.OpenForRun(tooLong));
    EXPECT_FALSE(log.IsOpen());
}

TEST(RunLog, LogThatCannotBeWrittenLeavesTheRunWithoutOne) {
    RunLog log;
    EXPECT_FALSE(log.OpenForRun("C:\\no such folder\\logs\\"));
    log.Write("nothing");
    EXPECT_FALSE(log.Close());
}

TEST(RunLog, FileThatCannotBeCopiedIsSkippedAndTheRunIsStillLogged) {
    // A hwck_log01.txt that another program holds open, sharing nothing,
    // cannot take the former hwck_log00.txt.
    std::string directory = TempDirectory("tavil_locked_01");
    MakeLogs(directory, {0, 1, 2});
    RunLog log;
    {
        fw::Handle locked = LockFile(directory + LogFileName(1));
        ASSERT_TRUE(locked);
        EXPECT_TRUE(log.OpenForRun(directory)) << "the new log is opened all the same";
    }
    log.Write("this run");
    EXPECT_TRUE(log.Close());
    EXPECT_EQ("this run", Log(directory, 0));
    EXPECT_EQ("log 1", Log(directory, 1)) << "the copy onto it was skipped";
    EXPECT_EQ("log 2", Log(directory, 2)) << "as was the copy from it";
    EXPECT_EQ("log 2", Log(directory, 3)) << "the rest of the rotation went on";
    EXPECT_EQ(directory + "report.tmp", log.HistoryPath()) << "so the history record is written too";
}

TEST(RunLog, DirectoryNamedByAModuleKeepsTheRunsHistoryFile) {
    std::string runDirectory = TempDirectory("tavil_history_stays");
    std::string moduleDirectory = TempDirectory("tavil_history_stays_module");
    RunLog log;
    ASSERT_TRUE(log.OpenForRun(runDirectory));
    ASSERT_TRUE(log.UseDirectory(moduleDirectory));
    EXPECT_EQ(moduleDirectory, log.directory());
    EXPECT_EQ(runDirectory + "report.tmp", log.HistoryPath()) << "the history file is not moved";

    // Without a run's start (a resume run) the directory named is the run's.
    RunLog resumed;
    ASSERT_TRUE(resumed.UseDirectory(moduleDirectory));
    EXPECT_EQ(moduleDirectory + "report.tmp", resumed.HistoryPath());
}

namespace {

std::string HistoryPath(const char* folder) {
    std::string path = TempDirectory(folder) + "report.tmp";
    return path;
}

} // namespace

TEST(HistoryFile, FirstRecordOfAnEmptyOrDamagedFile) {
    struct Case {
        const char* what;
        const char* contents; // nullptr: no file
    } cases[] = {
        {"missing", nullptr},
        {"empty", ""},
        {"negative count", "[HISTORY_NUM]\r\nNUM=-3\r\n"},
        {"count not a number", "[HISTORY_NUM]\r\nNUM=many\r\n"},
        {"garbage", "\x01\x02[[[=\xff\r\n\x00zz"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string path = HistoryPath("tavil_history_first");
        if (c.contents)
            WriteWholeFile(path, c.contents);
        WriteHistoryRecord(path, "2026/12/10  09:05:01", "Memory", "OK");
        EXPECT_EQ("1", ProfileValue(path, "HISTORY_NUM", "NUM"));
        EXPECT_EQ("2026/12/10  09:05:01", ProfileValue(path, "HISTORY_0", "DATE"));
        EXPECT_EQ("Memory\t\tOK", ProfileValue(path, "HISTORY_0", "RESULT"));
        EXPECT_EQ("", ProfileValue(path, "HISTORY_1", "DATE"));
        EXPECT_EQ(1, ReadHistoryRecordCount(path));
    }
}

TEST(HistoryFile, RecordsShiftDownAndAFullFileKeepsTheNewest99) {
    for (int stated : {99, 5000}) {
        SCOPED_TRACE(stated);
        std::string path = HistoryPath("tavil_history_full");
        std::string contents = "[HISTORY_NUM]\r\nNUM=" + std::to_string(stated) + "\r\n";
        for (int i = 0; i < 100; ++i) // one record more than a file may hold
            contents += "[HISTORY_" + std::to_string(i) + "]\r\nDATE=date " + std::to_string(i) + "\r\nRESULT=run " +
                        std::to_string(i) + "\t\tOK\r\n";
        WriteWholeFile(path, contents);
        WriteHistoryRecord(path, "new date", "QuickTest", "Failed");
        EXPECT_EQ("99", ProfileValue(path, "HISTORY_NUM", "NUM"));
        EXPECT_EQ("QuickTest\t\tFailed", ProfileValue(path, "HISTORY_0", "RESULT"));
        EXPECT_EQ("date 0", ProfileValue(path, "HISTORY_1", "DATE"));
        EXPECT_EQ("run 97\t\tOK", ProfileValue(path, "HISTORY_98", "RESULT")) << "the former 97 is now 98";
        EXPECT_EQ("date 99", ProfileValue(path, "HISTORY_99", "DATE")) << "index 99 is never read or written";
    }

    std::string path = HistoryPath("tavil_history_shift");
    WriteHistoryRecord(path, "d1", "QuickTest", "OK");
    WriteHistoryRecord(path, "d2", std::string(120, 'T'), "Abort");
    EXPECT_EQ("2", ProfileValue(path, "HISTORY_NUM", "NUM"));
    EXPECT_EQ("d1", ProfileValue(path, "HISTORY_1", "DATE"));
    EXPECT_EQ("QuickTest\t\tOK", ProfileValue(path, "HISTORY_1", "RESULT"));
    EXPECT_EQ(std::string(92, 'T') + "\t\tAbort", ProfileValue(path, "HISTORY_0", "RESULT"))
        << "a long title is cut so the value has 99 characters";
}
