// Test program: writes each of its arguments on a line of its own,
// "[1]=<argument>", the first line ending in a bare line feed and the
// others in CR LF, and exits with 0.
#include <fcntl.h>
#include <io.h>

#include <cstdio>

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY); // line ends exactly as written
    for (int i = 1; i < argc; ++i)
        std::printf("[%d]=%s%s", i, argv[i], i == 1 ? "\n" : "\r\n");
    return 0;
}
