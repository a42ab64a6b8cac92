// Texts of the History page and the history report: a log's row in the
// list, the proposed report name, and the report's header, record blocks
// and system-information heading.  Portable: no Windows header.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace tavil {

// The longest first and second lines of a log that the list reads.
constexpr size_t kLogTitleLineLength = 59;
constexpr size_t kLogDateLineLength = 39;
// cfg.log is copied into the report in pieces of at most this many characters.
constexpr size_t kReportCopyPiece = 1023;

// The row of a log in the list: `format` (string 105, "HISTORY%d: %s %s")
// with the row number, the title line without its first "[", its first "]"
// and its trailing white space, and the date line; trailing white space
// removed.
std::string HistoryRowText(const std::string& format, int row, const std::string& titleLine,
                           const std::string& dateLine);

// "Report" + year, month and day + ".txt": Report20061207.txt.
std::string ReportFileName(int year, int month, int day);

// The fixed texts of the report, from the string table.
struct ReportStrings {
    std::string title;         // 152
    std::string dateLabel;     // 153
    std::string systemHeading; // 154
    std::string separator;     // 156, ending in "\r\n"
};

struct HistoryRecord {
    std::string date;
    std::string result;
};

// The report up to the system information: title, separator, date, model,
// separator, one block per record, and three empty lines after the blocks
// when there are any.  Lines end in "\r\n" (written in text mode).
std::string HistoryReportText(const ReportStrings& strings, const std::string& dateText, const std::string& model,
                              const std::vector<HistoryRecord>& records);

// The heading of the system-information section, written when cfg.log is
// there.
std::string SystemInformationHeading(const ReportStrings& strings);

// Reads the next line of `file`, keeping at most `limit` characters of it
// (its line feed included) and skipping the rest of the line, but no more
// than kLongestLineSkipped characters of it, so that a file without line
// ends is not read to its end; false at the end of the file with nothing
// read.  A NUL in a line is kept.
constexpr size_t kLongestLineSkipped = size_t{64} * 1024;
bool ReadLimitedLine(std::FILE* file, size_t limit, std::string& line);

} // namespace tavil
