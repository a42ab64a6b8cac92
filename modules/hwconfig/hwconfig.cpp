// hwconfig.dll: the system-information module.  StartTest writes cfg.log,
// a plain-text description of this machine, into the module's own
// directory.  (First version: operating system, computer name, processors
// and memory.)
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

HMODULE ThisModule() {
    HMODULE module = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                             GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(&ThisModule), &module);
    return module;
}

std::string ModuleDirectory() {
    char path[MAX_PATH] = "";
    DWORD length = ::GetModuleFileNameA(ThisModule(), path, MAX_PATH);
    std::string full(path, length);
    size_t slash = full.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : full.substr(0, slash + 1);
}

} // namespace

// Returns 0 when cfg.log was written, 1 when it could not be.
extern "C" __declspec(dllexport) int __cdecl StartTest(HWND, uint32_t, intptr_t) {
    std::string path = ModuleDirectory() + "cfg.log";
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (!file)
        return 1;

    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ::GetVersionExA(&version);
#pragma GCC diagnostic pop
    std::fprintf(file, "Operating system : Windows %lu.%lu build %lu %s\n", version.dwMajorVersion,
                 version.dwMinorVersion, version.dwBuildNumber, version.szCSDVersion);

    char name[MAX_COMPUTERNAME_LENGTH + 1] = "";
    DWORD nameLength = sizeof name;
    ::GetComputerNameA(name, &nameLength);
    std::fprintf(file, "Computer name    : %s\n", name);

    SYSTEM_INFO system{};
    ::GetNativeSystemInfo(&system);
    std::fprintf(file, "Processors       : %lu\n", system.dwNumberOfProcessors);

    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    ::GlobalMemoryStatusEx(&memory);
    std::fprintf(file, "Memory           : %llu MB\n",
                 static_cast<unsigned long long>(memory.ullTotalPhys / (1024 * 1024)));
    return std::fclose(file) == 0 ? 0 : 1;
}
