// Test program: says it is running, then runs until it is ended from
// outside (at most ten minutes, so that a failed test leaves nothing behind).
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>

int main() {
    _setmode(_fileno(stdout), _O_BINARY); // line ends exactly as written
    std::fputs("running\r\n", stdout);
    std::fflush(stdout);
    ::Sleep(10 * 60 * 1000);
    return 0;
}
