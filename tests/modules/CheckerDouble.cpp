// Test double of the system's disk checker (fmifs.dll's Chkdsk), placed in
// the system directory of the test prefix.  It calls the callback the way
// the real checker does: progress (command 0, pointer to a percentage),
// text output (command 14, a line count and a pointer to the text) and the
// end (command 11).  The environment of the calling program steers it:
//   TAVIL_CHECKER_RECORD  file that gets one line with the arguments
//   TAVIL_CHECKER_LINES   extra output lines
//   TAVIL_CHECKER_LONG    one extra line of this many characters
//   TAVIL_CHECKER_HOLD    file whose appearance ends the check (at most 30 s)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct TextOutput {
    DWORD lines;
    const char* output;
};
using Callback = BOOLEAN(__stdcall*)(int command, DWORD modifier, void* data);

std::string Variable(const char* name) {
    char value[1024] = "";
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value) : std::string();
}

void Say(Callback callback, const std::string& line) {
    TextOutput text{1, line.c_str()};
    callback(14, 0, &text);
}

} // namespace

extern "C" __declspec(dllexport) void __stdcall Chkdsk(const wchar_t* volume, const wchar_t* fileSystem, BOOL fix,
                                                       BOOL verbose, BOOL onlyIfDirty, BOOL recover, void*, void*,
                                                       Callback callback) {
    const std::string record = Variable("TAVIL_CHECKER_RECORD");
    if (!record.empty())
        if (FILE* file = std::fopen(record.c_str(), "a")) {
            std::fprintf(file, "volume=%ls fs=%ls fix=%d verbose=%d dirty=%d recover=%d\n", volume, fileSystem,
                         fix != 0, verbose != 0, onlyIfDirty != 0, recover != 0);
            std::fclose(file);
        }
    if (!callback)
        return;
    Say(callback, "The type of the file system is NTFS.\n");
    for (DWORD percent = 0; percent <= 100; percent += 25) {
        callback(0, 0, &percent);
        if (percent == 50)
            Say(callback, "   CHKDSK is verifying files (stage 1 of 3)...\n");
    }
    Say(callback, "Windows has checked the file system and found no problems.\n");
    Say(callback, "Run CHKDSK with the /F option to fix errors on this volume, /R to find bad sectors.\n");
    Say(callback, "    \n");
    const int lines = std::atoi(Variable("TAVIL_CHECKER_LINES").c_str());
    for (int n = 1; n <= lines; ++n)
        Say(callback, "Line " + std::to_string(n) + "\n");
    const int longLine = std::atoi(Variable("TAVIL_CHECKER_LONG").c_str());
    if (longLine > 0)
        Say(callback, std::string(longLine, 'L') + "\n");
    const std::string hold = Variable("TAVIL_CHECKER_HOLD");
    for (int waited = 0; !hold.empty() && waited < 30000 && GetFileAttributesA(hold.c_str()) == INVALID_FILE_ATTRIBUTES;
         waited += 50)
        Sleep(50);
    BOOLEAN success = TRUE;
    callback(11, 0, &success);
}
