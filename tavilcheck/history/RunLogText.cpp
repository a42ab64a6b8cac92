#include "RunLogText.h"

#include <cstdio>
#include <ctime>

namespace tavil {

const char kHistoryFileName[] = "report.tmp";

std::string LogFileName(int number) {
    char name[32];
    std::snprintf(name, sizeof name, "hwck_log%02d.txt", number);
    return name;
}

bool LogDirectoryFits(const std::string& directory) {
    // "hwck_log00.txt" is the longer of the two names kept there.
    return directory.size() + LogFileName(0).size() < kLogPathBufferSize;
}

std::string RunDateText(int year, int month, int day, int hour, int minute, int second) {
    char text[64];
    std::snprintf(text, sizeof text, "%d/%02d/%02d  %02d:%02d:%02d", year, month, day, hour, minute, second);
    return text;
}

std::string LocalTimeText() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    if (const std::tm* converted = std::localtime(&now))
        local = *converted;
    return RunDateText(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                       local.tm_sec);
}

std::string RunLogHeader(const std::string& runTitle, const std::string& runDate, const std::string& modelName) {
    return "[" + runTitle + "]\r\n" + runDate + "\r\n" + modelName + "\r\n" + "\r\n";
}

} // namespace tavil
