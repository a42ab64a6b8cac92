#include "RunProgress.h"

#include "framework/TextUtil.h"
#include "tavilcheck/catalogue/ModeFlags.h"

namespace tavil {
namespace {
int Clamp(long long value) { return value < 0 ? 0 : value > 100 ? 100 : static_cast<int>(value); }
} // namespace

void BatchProgress::Start(int loopCount) {
    m_loopCount = loopCount;
    m_base = 0;
}

int BatchProgress::Report(int value) {
    long long divisor = static_cast<long long>(m_loopCount) * m_moduleCount;
    int shown = divisor > 0 ? Clamp((value + m_base) / divisor) : 0;
    if (value == 100)
        m_base += 100;
    return shown;
}

int ProgramModuleProgress(int& base, int divisor) {
    int shown = divisor > 0 ? Clamp((99LL + base) / divisor) : 0;
    if (shown == 100)
        base += 100;
    return shown;
}

namespace {
// The format may come from a resource library: fw::FormatText takes only
// the values given, whatever the format holds.
std::string Format(const std::string& format, const int* values, size_t count) {
    std::string texts[2];
    for (size_t i = 0; i < count && i < 2; ++i)
        texts[i] = std::to_string(values[i]);
    return fw::FormatText(format, 'd', texts, count < 2 ? count : 2);
}
} // namespace

std::string FormatNumber(const std::string& format, int value) { return Format(format, &value, 1); }

std::string FormatNumbers(const std::string& format, int first, int second) {
    const int values[] = {first, second};
    return Format(format, values, 2);
}

std::string ProgressText(int percent, int minutesLeft, const std::string& percentFormat,
                         const std::string& minutesFormat) {
    std::string text = FormatNumber(percentFormat, percent);
    int minutes = minutesLeft;
    if (minutes == 0 && percent != 0 && percent != 100)
        minutes = 1;
    if (minutes != 0 && minutes != -1)
        text += "   " + FormatNumber(minutesFormat, minutes);
    return text;
}

std::string MinutesLeftText(int percent, int minutes, const std::string& percentFormat,
                            const std::string& minutesFormat) {
    if (minutes == 0 || minutes == -1)
        return std::string();
    return FormatNumber(percentFormat, percent) + "   " + FormatNumber(minutesFormat, minutes);
}

std::string RunTitle(int runKind, uint32_t modeFlags, const std::string& moduleName, const std::string& serviceTitle,
                     const std::string& fullTestTitle, const std::string& quickTestTitle) {
    if (runKind == 1)
        return moduleName;
    if (modeFlags & FLAG_SERVICE)
        return serviceTitle;
    if (modeFlags & FLAG_FULLTEST)
        return fullTestTitle;
    return quickTestTitle;
}

} // namespace tavil
