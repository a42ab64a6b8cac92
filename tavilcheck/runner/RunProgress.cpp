#include "RunProgress.h"

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
// Not printf: the format may come from a resource library, and a stray
// "%s" there must not read an argument that is not there.
std::string Format(const std::string& format, const int* values, size_t count) {
    std::string text;
    size_t used = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == '%') {
            text += '%';
            ++i;
        } else if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 'd' && used < count) {
            text += std::to_string(values[used++]);
            ++i;
        } else {
            text += format[i];
        }
    }
    return text;
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
