#include "PerfModeApp.h"

#include <objbase.h>
#include <ole2.h>

#include <vector>

#include "CTavPerformanceDlg.h"
#include "Exceptions.h"
#include "ShowMessage.h"
#include "framework/ResourceSource.h"
#include "framework/TextUtil.h"
#include "perfmode_resource_ids.h"
#include "skinlib/TesselAPI.h"

namespace perfmode {
namespace {

// OLE for the life of the program.
class OleSession {
public:
    OleSession() : m_ok(SUCCEEDED(::OleInitialize(nullptr))) {}
    ~OleSession() {
        if (m_ok)
            ::OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
    bool ok() const { return m_ok; }

private:
    bool m_ok;
};

// The theme mode switched off for the dialog, and back on afterwards only
// if it was on before (also when the dialog ends by an exception).
class ThemeOff {
public:
    ThemeOff() : m_wasOn(TesselAPI::EnableLuna(false)) {}
    ~ThemeOff() {
        if (m_wasOn)
            TesselAPI::EnableLuna(true);
    }
    ThemeOff(const ThemeOff&) = delete;
    ThemeOff& operator=(const ThemeOff&) = delete;

private:
    bool m_wasOn;
};

std::unique_ptr<WindowsRestart> RestartFromEnvironment() {
    char path[MAX_PATH] = "";
    DWORD length = ::GetEnvironmentVariableA(kRestartRecordVariable, path, sizeof path);
    if (length > 0 && length < sizeof path)
        return std::make_unique<RecordingRestart>(path);
    return std::make_unique<SystemRestart>();
}

} // namespace

PerfModeApp::PerfModeApp(WindowsRestart* restart) : m_restart(restart) {
    if (!m_restart) {
        m_ownRestart = RestartFromEnvironment();
        m_restart = m_ownRestart.get();
    }
}

PerfModeApp::~PerfModeApp() {
    if (m_mutex)
        ::ReleaseMutex(m_mutex.get());
}

int PerfModeApp::InitInstance() {
    // Control containment needs nothing more here than OLE itself.
    OleSession ole;
    if (!ole.ok()) {
        ShowMessage("Failed to initialize OLE!", MB_ICONEXCLAMATION);
        return 0;
    }
    try {
        Run();
    } catch (const mns_co_Exception&) {
        // Every level has shown its message already.
    } catch (const std::bad_alloc&) {
        // Treated as mns_co_MemoryException: nothing more to say.
    }
    // Whatever happened: the library is shut down, the dialog has gone
    // with Run's frame, the resource library is unloaded.
    try {
        m_utility.Shutdown();
    } catch (const mns_co_Exception&) {
    }
    fw::ResourceSource::SetLibrary(nullptr);
    m_resourceLibrary.reset();
    return 0;
}

void PerfModeApp::Run() {
    HRESULT security = ::CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
                                              RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
    if (FAILED(security)) {
        ShowMessage("Failed to initialize Security!", MB_ICONEXCLAMATION);
        return;
    }

    std::string libraryName = fw::ResourceSource::LoadString(IDS_RESOURCE_LIBRARY);
    m_resourceLibrary.reset(
        ::LoadLibraryExA((fw::ProgramDirectory() + libraryName).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!m_resourceLibrary) {
        fw::ResourceSource::SetLibrary(nullptr);
        ShowMessage(fw::FormatText(fw::ResourceSource::LoadString(IDS_CANNOT_OPEN_LIBRARY), libraryName), MB_ICONSTOP);
        throw mns_co_BadEnvironment();
    }
    // From here on the library is the only source of texts and windows.
    fw::ResourceSource::SetLibrary(m_resourceLibrary.get(), false);

    try {
        if (!ClaimSingleInstance())
            return;
        m_utility.Start(fw::ResourceSource::LoadString(IDS_MRCUTILS_KEY));
    } catch (const mns_co_Exception&) {
        ShowMessage(IDS_CANNOT_START, MB_ICONSTOP);
        throw;
    }

    m_help.SetPath(fw::ProgramDirectory() + fw::ResourceSource::LoadString(IDS_HELP_FILE));
    ShowDialog();
}

bool PerfModeApp::ClaimSingleInstance() {
    std::string name = fw::ResourceSource::LoadString(IDS_PERF_CAPTION);
    ::SetLastError(0);
    m_mutex.reset(::CreateMutexA(nullptr, TRUE, name.c_str()));
    DWORD error = ::GetLastError();
    if (error == ERROR_ALREADY_EXISTS) {
        m_mutex.reset(); // not ours: nothing to release
        if (HWND first = ::FindWindowA("#32770", name.c_str()))
            ::SetForegroundWindow(first);
        return false;
    }
    if (!m_mutex || error != 0) {
        m_mutex.reset();
        throw mns_co_InternalException(mns_co_Exception::kSystem, static_cast<int32_t>(error));
    }
    return true;
}

void PerfModeApp::ShowDialog() {
    CTavPerformanceDlg dialog(m_utility, *m_restart, m_help);
    if (!dialog.CanRun()) {
        ShowMessage(IDS_NOT_ADMINISTRATOR, MB_ICONSTOP);
        return;
    }
    INT_PTR result = 0;
    {
        ThemeOff theme;
        result = dialog.DoModal();
    }
    if (result == -1 || dialog.failure()) {
        ShowMessage(IDS_DIALOG_FAILED, MB_ICONSTOP);
        throw mns_co_InternalException();
    }
}

} // namespace perfmode
