// Names, limits and fixed texts of the run logs and the history file.
// Portable: no Windows header.
#pragma once

#include <string>

namespace tavil {

// The log and history paths live in buffers of this many characters
// (with the terminating NUL), file name included.
constexpr size_t kLogPathBufferSize = 1024;
constexpr int kLogFileCount = 99;     // hwck_log00.txt (newest) .. hwck_log98.txt
extern const char kHistoryFileName[]; // "report.tmp"

// "hwck_log" + `number` in two digits + ".txt".
std::string LogFileName(int number);

// True when `directory` (with its one trailing backslash) and the longest
// file name kept in it fit the path buffers.
bool LogDirectoryFits(const std::string& directory);

// The run date: "%d/%02d/%02d  %02d:%02d:%02d" (two blanks in the middle).
std::string RunDateText(int year, int month, int day, int hour, int minute, int second);
// The run date of this moment, local time.
std::string LocalTimeText();

// The header of a run log: "[title]", the run date, the model name, then
// an empty line, each line ending in "\r\n".
std::string RunLogHeader(const std::string& runTitle, const std::string& runDate, const std::string& modelName);

} // namespace tavil
