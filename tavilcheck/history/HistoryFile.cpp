#include "HistoryFile.h"

#include <windows.h>

#include "HistoryRecordText.h"

namespace tavil {

namespace {

const char kCountSection[] = "HISTORY_NUM";
const char kCountKey[] = "NUM";
const char kDateKey[] = "DATE";
const char kResultKey[] = "RESULT";

std::string ReadValue(const std::string& path, const std::string& section, const char* key) {
    char value[kHistoryValueSize] = "";
    ::GetPrivateProfileStringA(section.c_str(), key, "", value, sizeof value, path.c_str());
    return value;
}

void WriteValue(const std::string& path, const std::string& section, const char* key, const std::string& value) {
    ::WritePrivateProfileStringA(section.c_str(), key, value.c_str(), path.c_str());
}

} // namespace

int ReadHistoryRecordCount(const std::string& path) {
    return HistoryRecordCount(ReadValue(path, kCountSection, kCountKey));
}

std::vector<HistoryRecord> ReadHistoryRecords(const std::string& path) {
    std::vector<HistoryRecord> records(ReadHistoryRecordCount(path));
    for (size_t i = 0; i < records.size(); ++i) {
        const std::string section = HistorySectionName(static_cast<int>(i));
        records[i] = {ReadValue(path, section, kDateKey), ReadValue(path, section, kResultKey)};
    }
    return records;
}

void WriteHistoryRecord(const std::string& path, const std::string& date, const std::string& runTitle,
                        const std::string& resultWord) {
    const int count = ReadHistoryRecordCount(path);
    // Index 98 is the last record: the shift starts there when the file is full.
    for (int c = count < kMaxHistoryRecords ? count : kMaxHistoryRecords - 1; c >= 1; --c) {
        const std::string from = HistorySectionName(c - 1), to = HistorySectionName(c);
        WriteValue(path, to, kDateKey, ReadValue(path, from, kDateKey));
        WriteValue(path, to, kResultKey, ReadValue(path, from, kResultKey));
    }
    // Written also when the file is full, so that a damaged count (5000,
    // -3) is set right.
    WriteValue(path, kCountSection, kCountKey,
               std::to_string(count < kMaxHistoryRecords ? count + 1 : kMaxHistoryRecords));
    const std::string newest = HistorySectionName(0);
    WriteValue(path, newest, kDateKey, date);
    WriteValue(path, newest, kResultKey, HistoryResultValue(runTitle, resultWord));
}

} // namespace tavil
