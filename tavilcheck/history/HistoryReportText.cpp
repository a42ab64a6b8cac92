#include "HistoryReportText.h"

#include "framework/TextUtil.h"

namespace tavil {

std::string HistoryRowText(const std::string& format, int row, const std::string& titleLine,
                           const std::string& dateLine) {
    const std::string title = fw::TrimRight(fw::RemoveFirst(fw::RemoveFirst(titleLine, "["), "]"));
    const std::string number = std::to_string(row);
    const std::string values[] = {title, dateLine};
    return fw::TrimRight(fw::FormatText(fw::FormatText(format, 'd', &number, 1), 's', values, 2));
}

std::string ReportFileName(int year, int month, int day) {
    char name[48];
    std::snprintf(name, sizeof name, "Report%02d%02d%02d.txt", year, month, day);
    return name;
}

std::string HistoryReportText(const ReportStrings& strings, const std::string& dateText, const std::string& model,
                              const std::vector<HistoryRecord>& records) {
    std::string text = strings.title + "\r\n" + strings.separator + strings.dateLabel + " " + dateText + "\r\n" +
                       "Model: " + model + "\r\n\r\n" + strings.separator;
    for (const HistoryRecord& record : records)
        text += record.date + "\r\n" + record.result + "\r\n" + "\r\n" + strings.separator;
    if (!records.empty())
        text += "\r\n\r\n\r\n";
    return text;
}

std::string SystemInformationHeading(const ReportStrings& strings) {
    return strings.systemHeading + "\r\n" + strings.separator;
}

bool ReadLimitedLine(std::FILE* file, size_t limit, std::string& line) {
    line.clear();
    int c = 0;
    size_t read = 0;
    while (read < limit + kLongestLineSkipped && (c = std::fgetc(file)) != EOF) {
        ++read;
        if (line.size() < limit)
            line += static_cast<char>(c);
        if (c == '\n')
            break;
    }
    return read > 0;
}

} // namespace tavil
