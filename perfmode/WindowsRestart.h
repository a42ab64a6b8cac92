// Restarting Windows so that a stored performance mode takes effect.  The
// product asks the system for real; tests and demos put a recording
// restart in its place (RestartRecordFromEnvironment).
#pragma once

#include <string>

namespace perfmode {

class WindowsRestart {
public:
    virtual ~WindowsRestart() = default;
    // Asks for a restart; false when the request was refused.
    virtual bool RequestRestart() = 0;
};

// The shutdown privilege, then a reboot without forcing.
class SystemRestart : public WindowsRestart {
public:
    bool RequestRestart() override;
};

// Appends one line "restart" to a file for each request instead of
// restarting: the test and demo stand-in.
class RecordingRestart : public WindowsRestart {
public:
    explicit RecordingRestart(std::string path) : m_path(std::move(path)) {}
    bool RequestRestart() override;

private:
    std::string m_path;
};

// The environment variable that names the record file: when it is set,
// perfmode records its restart requests there instead of restarting.
constexpr char kRestartRecordVariable[] = "PERFMODE_RESTART_RECORD";

// Asks `restart` for a restart and, when the request fails, tells the
// user that the change takes effect at the next restart.
void RestartWindows(WindowsRestart& restart);

} // namespace perfmode
