// The values of one history record and the record count of the history
// file.  Portable: no Windows header.
#pragma once

#include <cstdint>
#include <string>

namespace tavil {

constexpr int kMaxHistoryRecords = 99;    // sections HISTORY_0 (newest) .. HISTORY_98
constexpr size_t kHistoryValueSize = 100; // values are read with room for 99 characters

// The record count as the history file states it: the leading decimal
// number of `text` (after blanks), kept within 0..99.  A missing, damaged
// or negative count is 0; one above 99 is 99, so a damaged file never
// makes the shift read or write past the last record.
int HistoryRecordCount(const std::string& text);

// The RESULT value: the run title, two tabs and the result word, the title
// cut so that the value has at most 99 characters.
std::string HistoryResultValue(const std::string& runTitle, const std::string& resultWord);

// How a logged run ended, as its record says it.
enum class RunEnding { Ok, Failed, Abort };
// A run the user stopped, or a service-mode batch whose Test Times dialog
// was cancelled (its log ends "= Test was aborted ="), is an Abort whatever
// its result; otherwise the run result decides.
RunEnding HistoryRunEnding(bool stopped, bool testTimesCancelled, int32_t runResult);

// The section name of record `index`: "HISTORY_" + index in decimal.
std::string HistorySectionName(int index);

} // namespace tavil
