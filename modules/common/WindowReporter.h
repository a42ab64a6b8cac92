// TestReporter for a library module: lines go to the program's screen and
// run log, progress and minutes left to the test page, and Stop is read
// with TM_QUERY_RUN_STATE.  Messages that would repeat what the window
// already shows are not sent, and the run state is asked at most every
// 50 ms, so the computing loops may call it as often as they like.
#pragma once

#include <string>

#include "modules/common/TestReporter.h"
#include "sdk/tavil_module.h"

namespace tavil::modules {

class WindowReporter : public TestReporter {
public:
    explicit WindowReporter(HWND window);

    void Line(const std::string& line) override;
    void Progress(int percent) override;
    bool StopRequested() override;

    // A line in a colour of its own (0x00BBGGRR), for the verdict.
    void ColouredLine(const std::string& line, COLORREF colour);

private:
    HWND window_;
    ULONGLONG started_;
    ULONGLONG lastQuery_ = 0;
    bool stopped_ = false;
    int percent_ = -1;
    int minutes_ = -2;
};

} // namespace tavil::modules
