// Keeps the machine awake for the length of a run: the screen saver is
// switched off (and on again after, when it was on), and unless the run
// tests suspend and resume itself, the system and the display are
// required continuously so that neither sleeps nor powers off.
#pragma once

#include <windows.h>

namespace tavil {

class KeepAwake {
public:
    explicit KeepAwake(bool holdSystemAndDisplay) : m_holdSystemAndDisplay(holdSystemAndDisplay) {
        ::SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &m_screenSaverWasActive, 0);
        if (m_screenSaverWasActive)
            ::SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, FALSE, nullptr, 0);
        if (m_holdSystemAndDisplay)
            ::SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED);
    }
    KeepAwake(const KeepAwake&) = delete;
    KeepAwake& operator=(const KeepAwake&) = delete;
    ~KeepAwake() {
        if (m_holdSystemAndDisplay)
            ::SetThreadExecutionState(ES_CONTINUOUS);
        if (m_screenSaverWasActive)
            ::SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, 0);
    }

private:
    bool m_holdSystemAndDisplay;
    BOOL m_screenSaverWasActive = FALSE;
};

} // namespace tavil
