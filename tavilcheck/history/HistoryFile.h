// The history file "report.tmp": one short record per logged run, newest
// first, at most 99, kept through the system's profile functions.
#pragma once

#include <string>
#include <vector>

#include "HistoryReportText.h"

namespace tavil {

// Adds a record with the run `date` and "title\t\tword" as HISTORY_0 of
// the history file at `path` (a full path), moving the others down by
// one; the record at index 98 of a full file is lost.
void WriteHistoryRecord(const std::string& path, const std::string& date, const std::string& runTitle,
                        const std::string& resultWord);

// The number of records the file at `path` holds, 0..99.
int ReadHistoryRecordCount(const std::string& path);

// The records, newest first, each value at most 99 characters and empty
// when missing; none when the file is missing or its count is damaged.
std::vector<HistoryRecord> ReadHistoryRecords(const std::string& path);

} // namespace tavil
