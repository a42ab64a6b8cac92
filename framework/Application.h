// The application object: its initialisation runs the whole program
// around one modal dialog and yields the process exit code.
#pragma once

#include <windows.h>

#include <string>

namespace fw {

class Application {
public:
    virtual ~Application() = default;
    // Runs the program; the result is the process exit code.
    virtual int InitInstance() = 0;

    // The process's command-line arguments (the program path first) in the
    // system code page.
    static int ArgumentCount();
    static const char* Argument(int index);
};

// The folder of the running program's file, with exactly one trailing
// backslash.  Computed once.
const std::string& ProgramDirectory();
// The system directory (system32), with one trailing backslash; empty when
// the system does not say.
std::string SystemDirectory();

// Runs `app` and returns its exit code; WinMain calls it.
int RunApplication(Application& app);

} // namespace fw
