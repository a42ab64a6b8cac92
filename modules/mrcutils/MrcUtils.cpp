// MrcUtils.dll of the demo installation: the machine-utility library
// perfmode reaches the firmware through.  This one keeps the firmware's
// performance state in MrcUtils.ini beside itself, so that a stored
// choice is still there when perfmode starts again:
//
//   [Firmware]
//   StateWord=0x01        bit 4 selected mode, bit 0 active mode
//   MachineID=75          machine 75 defaults to performance
//   MachineIDReadable=1   0: MuGetMachineID fails (for tests)
//   BootTime=...          the system start the stored choice was made in
//
// A choice stored in one system start becomes the active mode in the
// next: MuOpen applies it when the system has started again since.
#include <windows.h>

#include <cstdio>
#include <string>

#include "sdk/mrcutils.h"

namespace {

constexpr uint32_t kHandle = 0x4D55; // "MU": the one handle this library hands out
const char kSection[] = "Firmware";
DWORD g_lastError = 0;

std::string StateFile() {
    HMODULE self = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(&StateFile), &self);
    char path[MAX_PATH] = "";
    DWORD length = ::GetModuleFileNameA(self, path, sizeof path);
    std::string file(path, length < sizeof path ? length : 0);
    size_t slash = file.find_last_of("\\/");
    return (slash == std::string::npos ? std::string() : file.substr(0, slash + 1)) + "MrcUtils.ini";
}

uint32_t ReadNumber(const char* key, uint32_t missing) {
    char text[32] = "";
    ::GetPrivateProfileStringA(kSection, key, "", text, sizeof text, StateFile().c_str());
    if (!text[0])
        return missing;
    return static_cast<uint32_t>(std::strtoul(text, nullptr, 0));
}

void WriteNumber(const char* key, uint32_t value, bool hex) {
    char text[32];
    std::snprintf(text, sizeof text, hex ? "0x%02X" : "%u", static_cast<unsigned>(value));
    ::WritePrivateProfileStringA(kSection, key, text, StateFile().c_str());
}

// When the system last started, in minutes since 1601: a change of it
// means the machine has been restarted.
uint32_t CurrentBootTime() {
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t{{now.dwLowDateTime, now.dwHighDateTime}};
    unsigned long long minutesNow = t.QuadPart / 600000000ULL;
    return static_cast<uint32_t>(minutesNow - ::GetTickCount64() / 60000ULL);
}

bool ValidHandle(uint32_t handle) {
    if (handle == kHandle)
        return true;
    g_lastError = ERROR_INVALID_HANDLE;
    return false;
}

} // namespace

extern "C" {

__declspec(dllexport) uint32_t __cdecl MuOpen(uint32_t, uint32_t) {
    // A choice stored before the last system start is in effect now.
    uint32_t stored = ReadNumber("BootTime", 0);
    uint32_t boot = CurrentBootTime();
    if (stored != 0 && (stored > boot + 1 || boot > stored + 1)) {
        uint32_t state = ReadNumber("StateWord", 0);
        uint32_t selected = (state >> MU_STATE_SELECTED_BIT) & 1;
        WriteNumber("StateWord", (state & ~1u) | selected, true);
        WriteNumber("BootTime", boot, false);
    }
    g_lastError = 0;
    return kHandle;
}

__declspec(dllexport) void __cdecl MuClose(uint32_t handle) { ValidHandle(handle); }

__declspec(dllexport) uint32_t __cdecl MuGetLastErrorCode(void) { return g_lastError; }

__declspec(dllexport) uint32_t __cdecl MuCallDriverDWORD(uint32_t handle, uint32_t function, uint32_t* value) {
    if (!ValidHandle(handle) || !value)
        return 0;
    switch (function) {
    case MU_READ_STATE_WORD:
        *value = ReadNumber("StateWord", 0);
        return 1;
    case MU_WRITE_SELECTED_MODE: {
        uint32_t state = ReadNumber("StateWord", 0);
        state = (state & ~(1u << MU_STATE_SELECTED_BIT)) | ((*value & 1) << MU_STATE_SELECTED_BIT);
        WriteNumber("StateWord", state, true);
        WriteNumber("BootTime", CurrentBootTime(), false);
        return 1;
    }
    default:
        g_lastError = ERROR_INVALID_FUNCTION;
        return 0;
    }
}

__declspec(dllexport) uint32_t __cdecl MuGetMachineID(uint32_t handle, uint32_t* id) {
    if (!ValidHandle(handle) || !id || ReadNumber("MachineIDReadable", 1) == 0) {
        g_lastError = ERROR_NOT_SUPPORTED;
        return 0;
    }
    *id = ReadNumber("MachineID", 75);
    return 1;
}

__declspec(dllexport) uint32_t __cdecl MuGetMachineInfo(uint32_t handle, void*, uint32_t) {
    ValidHandle(handle);
    g_lastError = ERROR_NOT_SUPPORTED;
    return 0;
}

#ifndef MRCUTILS_WITHOUT_MXBIOS_CALL // the test library that lacks an export
__declspec(dllexport) uint32_t __cdecl MuMXBIOS_Call(uint32_t handle, void*) {
    ValidHandle(handle);
    g_lastError = ERROR_NOT_SUPPORTED;
    return 0;
}
#endif

} // extern "C"
