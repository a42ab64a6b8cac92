// perfmode's application object: its initialisation runs the whole
// program (COM, the resource library, the single-instance mutex, the
// machine-utility library, the administrator check, the Performance
// dialog) and always cleans up after itself.
#pragma once

#include <memory>
#include <string>

#include "HelpFile.h"
#include "MachineUtility.h"
#include "WindowsRestart.h"
#include "framework/Application.h"
#include "framework/Handles.h"

namespace perfmode {

class PerfModeApp : public fw::Application {
public:
    // `restart` is the restart to use; null picks the system's, or the
    // recording one when PERFMODE_RESTART_RECORD names a file.
    explicit PerfModeApp(WindowsRestart* restart = nullptr);
    ~PerfModeApp() override;

    // Runs the program.  The result (the exit code) is always 0: every
    // failure has been shown to the user by then.
    int InitInstance() override;

    const HelpFile& help() const { return m_help; }

private:
    void Run();
    // False when another copy runs (it has been brought to the front).
    bool ClaimSingleInstance();
    void ShowDialog();

    std::unique_ptr<WindowsRestart> m_ownRestart;
    WindowsRestart* m_restart;
    fw::Handle m_mutex;
    fw::Library m_resourceLibrary;
    MachineUtility m_utility;
    HelpFile m_help;
};

} // namespace perfmode
