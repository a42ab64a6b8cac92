#include "WindowsRestart.h"

#include <windows.h>

#include <fstream>

#include "ShowMessage.h"
#include "framework/Privileges.h"
#include "framework/ResourceSource.h"
#include "perfmode_resource_ids.h"

namespace perfmode {

bool SystemRestart::RequestRestart() {
    fw::EnableShutdownPrivilege(); // the request below says whether it mattered
    return ::ExitWindowsEx(EWX_REBOOT, SHTDN_REASON_MAJOR_APPLICATION | SHTDN_REASON_FLAG_PLANNED) != 0;
}

bool RecordingRestart::RequestRestart() {
    std::ofstream record(m_path, std::ios::app);
    record << "restart\n";
    record.close();
    return !record.fail();
}

void RestartWindows(WindowsRestart& restart) {
    if (restart.RequestRestart())
        return;
    std::string text = fw::ResourceSource::LoadString(IDS_RESTART_FAILED);
    if (text.empty())
        text = "Windows could not be restarted. The new performance mode takes effect the next time Windows starts.";
    ShowMessage(text, MB_ICONEXCLAMATION);
}

} // namespace perfmode
