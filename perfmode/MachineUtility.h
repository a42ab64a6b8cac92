// The binding to the machine-utility library MrcUtils.dll: found through
// the registry, loaded by full path, its seven exports bound by name, one
// open handle, and a hidden window that lives as long as the binding.
// One per process; the application object owns it.
#pragma once

#include <cstdint>
#include <string>

#include "framework/Gdi.h"
#include "framework/Handles.h"
#include "sdk/mrcutils.h"

namespace perfmode {

class MachineUtility {
public:
    MachineUtility() = default;
    ~MachineUtility();
    MachineUtility(const MachineUtility&) = delete;
    MachineUtility& operator=(const MachineUtility&) = delete;

    // Opens the library named under HKLM\`subKey`, creates the hidden
    // window, opens a handle and reads the machine ID.  On a failure it
    // shuts everything down again, shows string 6172 and throws on.
    void Start(const std::string& subKey);
    // Closes the handle, destroys the window, unloads the library.
    void Shutdown();

    // Loads the library and binds its exports (nothing when it is loaded).
    // Throws mns_co_BadEnvironment when the value is not a non-empty
    // string, the file does not load or an export is missing (after
    // showing 6171 and 6172); the library is closed again on any failure.
    void Open(const std::string& subKey);
    // Closes the handle and unloads the library; throws
    // mns_co_InternalException when the unload fails.
    void Close();

    bool IsLoaded() const { return static_cast<bool>(m_library); }
    uint32_t handle() const { return m_handle; }
    uint32_t machineId() const { return m_machineId; }

    // The bound exports (null until Open succeeded).
    MuCallDriverDWORDFunction callDriverDWORD = nullptr;
    MuGetMachineIDFunction getMachineID = nullptr;

private:
    void CreateHiddenWindow();

    fw::Library m_library;
    MuOpenFunction m_open = nullptr;
    MuCloseFunction m_close = nullptr;
    MuGetLastErrorCodeFunction m_getLastErrorCode = nullptr;
    MuGetMachineInfoFunction m_getMachineInfo = nullptr;
    MuMXBIOS_CallFunction m_mxbiosCall = nullptr;
    uint32_t m_handle = 0;
    uint32_t m_machineId = 0;
    fw::OwnedWindow m_hiddenWindow;
};

} // namespace perfmode
