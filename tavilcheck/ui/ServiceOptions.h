// The run options of a service (Final Inspection) installation, below the
// pages: the Loop box with its spin control, "Test Without Logs", "Stop
// When Error" and "Beep When Error", and the beep that sounds once a second
// from a run's first error until Back.
#pragma once

#include <windows.h>

#include <string>

#include "Beeper.h"
#include "framework/Gdi.h"
#include "framework/Window.h"
#include "tavilcheck/catalogue/TestCatalogue.h"

namespace tavil {

constexpr int IDC_LOOP_EDIT = 11000;
constexpr int IDC_LOOP_SPIN = 11001;
constexpr int IDC_WITHOUT_LOGS = 11002;
constexpr int IDC_STOP_WHEN_ERROR = 11003;
constexpr int IDC_BEEP_WHEN_ERROR = 11004;
constexpr int IDC_LOOP_GROUP = 11005;
constexpr UINT_PTR kBeepTimer = 6;

class ServiceOptions {
public:
    // Creates the controls in `window` (the main window), whose timer 6 the
    // owner passes to OnBeepTimer.
    void Create(HWND window, const TestCatalogue& catalogue, bool logEnabled, Beeper& beeper);
    bool Created() const { return m_window != nullptr; }
    // True for one of the option controls (they stand on the white band).
    static bool IsOption(HWND control);

    // The page shown (0 batch, 1 Individual Test, others) and the module
    // chosen on the Individual Test page (-1: none).
    void ShowForPage(int page, int selectedModule);
    void ModuleChosen(const TestModule& module);

    // The Loop value: the spin control's position, or its last valid one
    // when the box holds no number in range.
    int LoopValue();
    void SetLoopValue(int value);
    bool StopWhenError() const;
    bool WithoutLogs() const;
    void SetWithoutLogs(bool checked);

    // "Beep When Error" was clicked: on, the user is reminded of the
    // speaker; off, a running beep stops at once.
    void BeepBoxClicked();
    // An error in a run: the beep starts when asked for.
    void ErrorShown();
    // Back: the beep stops, whatever the box says now.
    void StopBeep();
    void OnBeepTimer();
    bool Beeping() const { return m_beeping; }

private:
    HWND Make(const char* className, const char* text, DWORD style, DWORD exStyle, int id, RECT place);
    void EnableLoop(bool enabled);
    void SetLoopText(const std::string& text);

    HWND m_window = nullptr;
    const TestCatalogue* m_catalogue = nullptr;
    Beeper* m_beeper = nullptr;
    fw::Window m_edit, m_spin, m_group, m_withoutLogs, m_stopWhenError, m_beepWhenError;
    fw::Font m_font;
    int m_lastLoopValue = 1;
    bool m_beeping = false;
};

} // namespace tavil
