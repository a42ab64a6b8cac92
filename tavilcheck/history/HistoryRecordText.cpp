#include "HistoryRecordText.h"

#include "framework/TextUtil.h"

namespace tavil {

int HistoryRecordCount(const std::string& text) {
    std::string count = fw::Trim(text);
    if (count.empty() || count[0] == '-')
        return 0;
    if (count[0] == '+')
        count.erase(0, 1);
    int value = fw::LeadingDecimal(count);
    return value > kMaxHistoryRecords ? kMaxHistoryRecords : value;
}

std::string HistoryResultValue(const std::string& runTitle, const std::string& resultWord) {
    const std::string tail = "\t\t" + resultWord;
    const size_t limit = kHistoryValueSize - 1;
    if (tail.size() >= limit)
        return tail.substr(0, limit);
    return runTitle.substr(0, limit - tail.size()) + tail;
}

RunEnding HistoryRunEnding(bool stopped, bool testTimesCancelled, int32_t runResult) {
    if (stopped || testTimesCancelled)
        return RunEnding::Abort;
    return runResult == 0 ? RunEnding::Ok : RunEnding::Failed;
}

std::string HistorySectionName(int index) { return "HISTORY_" + std::to_string(index); }

} // namespace tavil
