// The beep of a service installation's "Beep When Error" with a recording
// speaker: once a second from the first error, stopped by Back and by
// clearing the box.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "RecordingWindow.h"
#include "tavilcheck/ui/ServiceOptions.h"
#include "tavilcheck/ui/TestTimesWindow.h"

using namespace tavil;

namespace {

struct RecordingBeeper : Beeper {
    std::vector<std::pair<DWORD, DWORD>> beeps;
    void Sound(DWORD hertz, DWORD milliseconds) override { beeps.emplace_back(hertz, milliseconds); }
};

// A window hosting the service options, passing its timer to them.
struct OptionsHost {
    ServiceOptions options;
    RecordingBeeper beeper;
    TestCatalogue catalogue;
    HWND window = nullptr;

    OptionsHost() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS};
        ::InitCommonControlsEx(&controls);
        window = CreateTestWindow("TavilOptionsHost", Procedure, this);
        options.Create(window, catalogue, true, beeper);
    }
    ~OptionsHost() { ::DestroyWindow(window); }
    void TickBeepBox(bool checked) {
        ::SendDlgItemMessageA(window, IDC_BEEP_WHEN_ERROR, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    size_t BeepsAfter(DWORD milliseconds) {
        PumpUntil([] { return false; }, milliseconds);
        return beeper.beeps.size();
    }
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<OptionsHost*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self && message == WM_TIMER && wParam == kBeepTimer) {
            self->options.OnBeepTimer();
            return 0;
        }
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    }
};

} // namespace

TEST(BeepWhenError, OnceASecondFromTheFirstErrorUntilBackOrTheBoxIsCleared) {
    OptionsHost host;
    host.options.ErrorShown();
    EXPECT_EQ(0u, host.BeepsAfter(1300)) << "the box is not ticked";

    host.TickBeepBox(true);
    host.options.ErrorShown();
    host.options.ErrorShown(); // a second error starts no second beep
    const size_t beeps = host.BeepsAfter(2500);
    EXPECT_GE(beeps, 2u);
    EXPECT_LE(beeps, 3u);
    EXPECT_EQ((std::pair<DWORD, DWORD>{900, 400}), host.beeper.beeps.front());
    host.options.StopBeep(); // Back
    EXPECT_EQ(beeps, host.BeepsAfter(1500)) << "Back stops it";

    host.options.ErrorShown();
    EXPECT_GT(host.BeepsAfter(1300), beeps);
    host.TickBeepBox(false);
    host.options.BeepBoxClicked(); // cleared while it beeps
    const size_t atClear = host.beeper.beeps.size();
    EXPECT_EQ(atClear, host.BeepsAfter(1500)) << "clearing the box stops it";
    EXPECT_FALSE(host.options.Beeping());
}

TEST(LoopBox, TextThatIsNoNumberInRangeKeepsTheLastValidValue) {
    OptionsHost host; // an empty REPEATTIMES: 1 to 1000
    HWND edit = ::GetDlgItem(host.window, IDC_LOOP_EDIT);
    struct Case {
        const char* text;
        int loops;
    } cases[] = {{"7", 7},     {"abc", 7},   {"", 7},        {"0", 7},       {"-5", 7},
                 {"99999", 7}, {" 12 ", 12}, {"1000", 1000}, {"1001", 1000}, {"1", 1}};
    for (const Case& c : cases) {
        ::SetWindowTextA(edit, c.text);
        EXPECT_EQ(c.loops, host.options.LoopValue()) << '"' << c.text << '"';
    }
}

TEST(TestTimesCount, LeadingNumberOfTheFirstNineCharacters) {
    const std::pair<const char*, int> cases[] = {
        {"3", 3}, {"3abc", 3}, {"abc", 0}, {"", 0}, {"-5", 0}, {" 4", 0}, {"1234567890", 123456789}, {"0", 0}};
    for (const auto& [cell, count] : cases)
        EXPECT_EQ(count, TestTimesCount(cell)) << '"' << cell << '"';
}
