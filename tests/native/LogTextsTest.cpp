// Command lines of program modules, run-log names and headers, and the
// values of history records.
#include <gtest/gtest.h>

#include "tavilcheck/history/HistoryRecordText.h"
#include "tavilcheck/history/RunLogText.h"
#include "tavilcheck/runner/ProgramCommandLine.h"

using namespace tavil;

TEST(ProgramCommandLine, PathsWithBlanksAreQuotedSoTheyStayOneArgument) {
    struct Case {
        const char* argument;
        const char* quoted;
    } cases[] = {
        {"C:\\TAVIL\\storage\\", "C:\\TAVIL\\storage\\"},
        {"C:\\Program Files\\TAVIL\\", "\"C:\\Program Files\\TAVIL\\\\\""}, // the closing quote stays a quote
        {"C:\\Program Files\\TAVIL\\\\", "\"C:\\Program Files\\TAVIL\\\\\\\\\""},
        {"C:\\Program Files\\TAVIL\\disktest.exe", "\"C:\\Program Files\\TAVIL\\disktest.exe\""},
        {"a\tb", "\"a\tb\""},
        {"say \"x\\\" now", "\"say \\\"x\\\\\\\" now\""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.quoted, QuoteIfBlank(c.argument)) << c.argument;
}

TEST(ProgramCommandLine, ProgramModuleDirectoryAndLogDirectory) {
    EXPECT_EQ("C:\\T\\storage\\", ProgramModuleDirectory("C:\\T\\", "storage"));
    EXPECT_EQ("C:\\T\\storage\\disktest.exe C:\\T\\storage\\",
              ProgramCommandLine("C:\\T\\storage\\", "disktest.exe", ""));
    EXPECT_EQ("C:\\T\\storage\\disktest.exe C:\\T\\storage\\ D:\\logs\\",
              ProgramCommandLine("C:\\T\\storage\\", "disktest.exe", "D:\\logs\\"));
    EXPECT_EQ("\"C:\\P F\\s\\disktest.exe\" \"C:\\P F\\s\\\\\" \"D:\\my logs\\\\\"",
              ProgramCommandLine("C:\\P F\\s\\", "disktest.exe", "D:\\my logs\\"));
}

TEST(RunLogText, NamesHeaderAndLimits) {
    EXPECT_EQ("hwck_log00.txt", LogFileName(0));
    EXPECT_EQ("hwck_log98.txt", LogFileName(98));
    EXPECT_EQ("2026/01/05  07:08:09", RunDateText(2026, 1, 5, 7, 8, 9));
    EXPECT_EQ("[QuickTest]\r\n2026/01/05  07:08:09\r\n\r\n\r\n", RunLogHeader("QuickTest", "2026/01/05  07:08:09", ""));
    EXPECT_TRUE(LogDirectoryFits(std::string(1009, 'd')));
    EXPECT_FALSE(LogDirectoryFits(std::string(1010, 'd'))) << "1010 + 14 characters + NUL exceed 1024";
}

TEST(HistoryRecordText, CountAndValues) {
    struct Case {
        const char* text;
        int count;
    } cases[] = {{"", 0},   {"0", 0},   {"7", 7},  {" 12 ", 12},          {"99", 99}, {"100", 99}, {"5000", 99},
                 {"-3", 0}, {"abc", 0}, {"+4", 4}, {"99999999999999", 99}};
    for (const Case& c : cases)
        EXPECT_EQ(c.count, HistoryRecordCount(c.text)) << '"' << c.text << '"';

    EXPECT_EQ("Memory\t\tOK", HistoryResultValue("Memory", "OK"));
    EXPECT_EQ(99u, HistoryResultValue(std::string(200, 'x'), "Failed").size());
    EXPECT_EQ("HISTORY_0", HistorySectionName(0));
    EXPECT_EQ("HISTORY_98", HistorySectionName(98));
}

TEST(HistoryRecordText, StopAndCancelledTestTimesAreRecordedAsAbort) {
    struct Case {
        bool stopped, cancelled;
        int32_t result;
        RunEnding ending;
    } cases[] = {
        {false, false, 0, RunEnding::Ok},   {false, false, 5, RunEnding::Failed}, {true, false, 5, RunEnding::Abort},
        {true, false, 0, RunEnding::Abort}, {false, true, 0, RunEnding::Abort},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.ending, HistoryRunEnding(c.stopped, c.cancelled, c.result)) << c.stopped << c.cancelled << c.result;
}
