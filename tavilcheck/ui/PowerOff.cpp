#include "PowerOff.h"

#include <windows.h>

namespace tavil {

void SystemPowerOff::RequestPowerOff() {
    HANDLE token = nullptr;
    if (::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        TOKEN_PRIVILEGES privileges{};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (::LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
            ::AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
        ::CloseHandle(token);
    }
    HMODULE ntdll = ::LoadLibraryA("NTDLL.DLL");
    if (!ntdll)
        return;
    using ShutdownFunction = LONG(WINAPI*)(int action);
    auto shutdown = reinterpret_cast<ShutdownFunction>(
        reinterpret_cast<void*>(::GetProcAddress(ntdll, "NtShutdownSystem")));
    if (shutdown)
        shutdown(2); // ShutdownPowerOff
    ::FreeLibrary(ntdll);
}

} // namespace tavil
