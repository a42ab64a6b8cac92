// Test program: says it is running, then runs until it is ended from
// outside (at most ten minutes, so that a failed test leaves nothing behind).
// With TAVIL_TEST_SPAWN=1 it first starts a copy of itself that inherits
// its output and writes a line every 100 ms: a process tree whose
// grandchild keeps the output pipe open and busy.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/Handles.h"

namespace {

void StartChild() {
    char path[MAX_PATH];
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    char commandLine[MAX_PATH + 2];
    std::snprintf(commandLine, sizeof commandLine, "\"%s\"", path);
    ::SetEnvironmentVariableA("TAVIL_TEST_SPAWN", "child");
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (::CreateProcessA(nullptr, commandLine, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        fw::Handle thread(process.hThread), child(process.hProcess);
    }
}

} // namespace

int main() {
    _setmode(_fileno(stdout), _O_BINARY); // line ends exactly as written
    const char* spawn = std::getenv("TAVIL_TEST_SPAWN");
    if (spawn && std::strcmp(spawn, "child") == 0) {
        std::printf("child %lu\r\n", ::GetCurrentProcessId());
        for (int i = 0; i < 6000; ++i) {
            std::fputs("tick\r\n", stdout);
            std::fflush(stdout);
            ::Sleep(100);
        }
        return 0;
    }
    if (spawn)
        StartChild();
    std::fputs("running\r\n", stdout);
    std::fflush(stdout);
    ::Sleep(10 * 60 * 1000);
    return 0;
}
