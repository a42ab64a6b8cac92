// Test program: exits with the show state it was started with (-2 when
// its start-up information asked for none).
#include <windows.h>

int main() {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    ::GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -2;
}
