#include "PowerOff.h"

#include <windows.h>

#include "framework/Handles.h"

namespace tavil {

void SystemPowerOff::RequestPowerOff() {
    fw::Handle token;
    if (::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.receive())) {
        TOKEN_PRIVILEGES privileges{};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (::LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
            ::AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
    }
    fw::Library ntdll(::LoadLibraryA("NTDLL.DLL"));
    if (!ntdll)
        return;
    using ShutdownFunction = LONG(WINAPI*)(int action);
    auto shutdown =
        reinterpret_cast<ShutdownFunction>(reinterpret_cast<void*>(::GetProcAddress(ntdll.get(), "NtShutdownSystem")));
    if (shutdown)
        shutdown(2); // ShutdownPowerOff
}

} // namespace tavil
