#include "PowerOff.h"

#include <windows.h>

#include "framework/Handles.h"
#include "framework/Privileges.h"

namespace tavil {

void SystemPowerOff::RequestPowerOff() {
    fw::EnableShutdownPrivilege(); // the request below says whether it mattered
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
