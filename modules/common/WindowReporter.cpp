#include "modules/common/WindowReporter.h"

namespace tavil::modules {

namespace {
constexpr ULONGLONG kQueryIntervalMs = 50;
}

WindowReporter::WindowReporter(HWND window) : window_(window), started_(::GetTickCount64()) {}

void WindowReporter::Line(const std::string& line) {
    ::SendMessageA(window_, TM_SCREEN_TEXT, 0, reinterpret_cast<LPARAM>(line.c_str()));
    ::SendMessageA(window_, TM_LOG_TEXT, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

void WindowReporter::ColouredLine(const std::string& line, COLORREF colour) {
    ::SendMessageA(window_, TM_COLOURED_TEXT, reinterpret_cast<WPARAM>(line.c_str()), colour);
    ::SendMessageA(window_, TM_LOG_TEXT, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

void WindowReporter::Progress(int percent) {
    if (percent < 0)
        percent = 0;
    if (percent > 100)
        percent = 100;
    if (percent != percent_) {
        percent_ = percent;
        ::SendMessageA(window_, TM_PROGRESS, 0, percent);
    }
    int minutes = MinutesLeft(::GetTickCount64() - started_, percent);
    if (minutes >= 0 && minutes != minutes_) {
        minutes_ = minutes;
        ::SendMessageA(window_, TM_MINUTES_LEFT, 0, minutes);
    }
}

bool WindowReporter::StopRequested() {
    if (stopped_)
        return true;
    ULONGLONG now = ::GetTickCount64();
    if (now - lastQuery_ < kQueryIntervalMs)
        return false;
    lastQuery_ = now;
    stopped_ = ::SendMessageA(window_, TM_QUERY_RUN_STATE, 0, 0) == TAVIL_RUN_STATE_STOPPED;
    return stopped_;
}

} // namespace tavil::modules
