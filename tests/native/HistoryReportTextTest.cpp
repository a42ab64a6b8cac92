// The History page's row texts, the report's name and layout, and the
// bounded line reading of the run logs.
#include <gtest/gtest.h>

#include "TempFile.h"
#include "framework/StdFile.h"
#include "tavilcheck/history/HistoryReportText.h"

using namespace tavil;

namespace {

const char kRowFormat[] = "HISTORY%d: %s %s";
const char kSeparator[] = "-------------------------------------\r\n";

ReportStrings Strings() {
    return {"History Report of TAVIL Hardware Diagnostics", "Date :", "System Information", kSeparator};
}

// The lines ReadLimitedLine gives for `bytes`, each read with `limit`.
std::vector<std::string> Lines(const std::string& bytes, size_t limit) {
    TempFile file(bytes);
    fw::StdFile stream(std::fopen(file.path().c_str(), "rb"));
    std::vector<std::string> lines;
    std::string line;
    while (ReadLimitedLine(stream.get(), limit, line))
        lines.push_back(line);
    return lines;
}

} // namespace

TEST(HistoryRowText, TitleLosesItsBracketsAndTrailingBlanks) {
    struct Case {
        const char* title;
        const char* date;
        const char* expected;
    } cases[] = {
        {"[QuickTest]\n", "2026/12/11  10:00:00\n", "HISTORY1: QuickTest 2026/12/11  10:00:00"},
        {"[QuickTest]  \t\r\n", "2026/12/11  10:00:00  \r\n", "HISTORY1: QuickTest 2026/12/11  10:00:00"},
        {"[[Odd] name]\n", "d\n", "HISTORY1: [Odd name] d"}, // only the first of each goes
        {"No brackets\n", "\n", "HISTORY1: No brackets"},
        {"[%s%d%n]\n", "%s\n", "HISTORY1: %s%d%n %s"}, // the log's text is never a format
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, HistoryRowText(kRowFormat, 1, c.title, c.date)) << c.title;
    EXPECT_EQ("HISTORY12: T d", HistoryRowText(kRowFormat, 12, "[T]\n", "d\n"));
}

TEST(HistoryReport, NameAndLayoutWithoutAndWithRecords) {
    EXPECT_EQ("Report20061207.txt", ReportFileName(2006, 12, 7));

    const std::string header = std::string("History Report of TAVIL Hardware Diagnostics\r\n") + kSeparator +
                               "Date : 2026/12/11  10:00:00\r\nModel: TAVIL N14 Pro\r\n\r\n" + kSeparator;
    EXPECT_EQ(header, HistoryReportText(Strings(), "2026/12/11  10:00:00", "TAVIL N14 Pro", {}));
    EXPECT_EQ(header + "2026/12/11  09:00:00\r\nQuickTest\t\tOK\r\n\r\n" + kSeparator +
                  "2026/12/10  08:00:00\r\nMemory Test\t\tFailed\r\n\r\n" + kSeparator + "\r\n\r\n\r\n",
              HistoryReportText(
                  Strings(), "2026/12/11  10:00:00", "TAVIL N14 Pro",
                  {{"2026/12/11  09:00:00", "QuickTest\t\tOK"}, {"2026/12/10  08:00:00", "Memory Test\t\tFailed"}}));
    EXPECT_EQ(std::string("System Information\r\n") + kSeparator, SystemInformationHeading(Strings()));
}

TEST(ReadLimitedLine, KeepsTheLimitAndSkipsTheRestOfTheLine) {
    EXPECT_EQ((std::vector<std::string>{"abc\n", "de"}), Lines("abc\nde", 59));
    EXPECT_EQ((std::vector<std::string>{"ab", "de"}), Lines("abcdef\ndefg\n", 2)) << "a long line stays one line";
    EXPECT_EQ((std::vector<std::string>{"\n", "\n"}), Lines("\n\n", 59));
    EXPECT_EQ((std::vector<std::string>{std::string("a\0b\n", 4)}), Lines(std::string("a\0b\n", 4), 59));
    EXPECT_TRUE(Lines("", 59).empty());
    // A file without line ends is not read to its end for one line.
    const std::vector<std::string> endless = Lines(std::string(3 * kLongestLineSkipped, 'x'), 10);
    EXPECT_EQ(std::string(10, 'x'), endless.front());
    EXPECT_GT(endless.size(), 1u);
}
