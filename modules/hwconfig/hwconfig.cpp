// hwconfig.dll: the system-information module.
//
// StartTest (window, flags 0, null argument) gathers facts about this
// machine and writes them to cfg.log, which the program copies into its
// history report.  cfg.log goes into the directory named by the
// environment variable TAVIL_LOG_DIRECTORY (TAVIL_LOG_DIRECTORY_VARIABLE
// of the SDK) of the calling process, which the program sets to its log
// directory before the call; without it, into the module's own directory.
//
// Results: 0 cfg.log was written, 2 it could not be written.
#include <cstdio>
#include <string>
#include <vector>

#include "modules/common/ModuleResults.h"
#include "modules/hwconfig/ConfigReport.h"
#include "sdk/tavil_module.h"

using namespace tavil::modules;

namespace {

HMODULE ThisModule() {
    HMODULE module = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(&ThisModule), &module);
    return module;
}

std::string WithBackslash(std::string directory) {
    if (!directory.empty() && directory.back() != '\\' && directory.back() != '/')
        directory += '\\';
    return directory;
}

std::string ReportDirectory() {
    char value[2048];
    DWORD length = ::GetEnvironmentVariableA(TAVIL_LOG_DIRECTORY_VARIABLE, value, sizeof value);
    if (length > 0 && length < sizeof value)
        return WithBackslash(value);
    char path[MAX_PATH] = "";
    length = ::GetModuleFileNameA(ThisModule(), path, MAX_PATH);
    std::string full(path, length < MAX_PATH ? length : 0);
    size_t slash = full.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : full.substr(0, slash + 1);
}

std::string RegistryText(const char* key, const char* value) {
    char text[256] = "";
    DWORD size = sizeof text - 1;
    if (::RegGetValueA(HKEY_LOCAL_MACHINE, key, value, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return {};
    std::string result = text;
    while (!result.empty() && result.back() == ' ')
        result.pop_back();
    size_t first = result.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : result.substr(first);
}

// The real version: GetVersionEx reports what the program's manifest
// asks for, RtlGetVersion what the system is.
std::string OperatingSystem() {
    RTL_OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    using RtlGetVersionFunction = LONG(WINAPI*)(RTL_OSVERSIONINFOW*);
    auto rtlGetVersion = reinterpret_cast<RtlGetVersionFunction>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "RtlGetVersion")));
    if (!rtlGetVersion || rtlGetVersion(&version) != 0)
        return {};
    std::string product = RegistryText("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "ProductName");
    char text[160];
    std::snprintf(text, sizeof text, "%s%s%lu.%lu build %lu", product.c_str(), product.empty() ? "Windows " : " ",
                  version.dwMajorVersion, version.dwMinorVersion, version.dwBuildNumber);
    return text;
}

std::vector<DriveFacts> Drives() {
    std::vector<DriveFacts> drives;
    DWORD mask = ::GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        if (!(mask & (1u << letter)))
            continue;
        DriveFacts drive;
        drive.root = std::string(1, static_cast<char>('A' + letter)) + ":\\";
        UINT type = ::GetDriveTypeA(drive.root.c_str());
        if (type != DRIVE_FIXED && type != DRIVE_REMOVABLE)
            continue;
        drive.kind = type == DRIVE_FIXED ? "Fixed" : "Removable";
        // No "insert a disk" box for an empty card reader.
        UINT oldMode = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
        char fileSystem[MAX_PATH + 1] = "";
        ULARGE_INTEGER total{}, free{};
        drive.ready = ::GetDiskFreeSpaceExA(drive.root.c_str(), nullptr, &total, &free) != 0;
        if (drive.ready && ::GetVolumeInformationA(drive.root.c_str(), nullptr, 0, nullptr, nullptr, nullptr,
                                                   fileSystem, sizeof fileSystem))
            drive.fileSystem = fileSystem;
        ::SetErrorMode(oldMode);
        drive.totalBytes = total.QuadPart;
        drive.freeBytes = free.QuadPart;
        drives.push_back(drive);
    }
    return drives;
}

std::vector<std::string> DisplayAdapters() {
    std::vector<std::string> adapters;
    DISPLAY_DEVICEA device{};
    device.cb = sizeof device;
    for (DWORD i = 0; i < 64 && ::EnumDisplayDevicesA(nullptr, i, &device, 0); ++i) {
        std::string name = device.DeviceString;
        bool known = false;
        for (const std::string& a : adapters)
            known = known || a == name;
        if (!name.empty() && !known)
            adapters.push_back(name);
        device = DISPLAY_DEVICEA{};
        device.cb = sizeof device;
    }
    return adapters;
}

bool Firmware(SmbiosFacts& facts) {
    const DWORD provider = DWORD('R') << 24 | DWORD('S') << 16 | DWORD('M') << 8 | DWORD('B');
    UINT size = ::GetSystemFirmwareTable(provider, 0, nullptr, 0);
    if (size == 0 || size > 16 * 1024 * 1024)
        return false;
    std::vector<uint8_t> table(size);
    UINT got = ::GetSystemFirmwareTable(provider, 0, table.data(), size);
    return got != 0 && got <= size && ParseSmbios(table.data(), got, facts);
}

MachineFacts GatherFacts() {
    MachineFacts facts;
    facts.operatingSystem = OperatingSystem();
    char name[MAX_COMPUTERNAME_LENGTH + 1] = "";
    DWORD nameLength = sizeof name;
    if (::GetComputerNameA(name, &nameLength))
        facts.computerName = name;
    facts.processorBrand = RegistryText("HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", "ProcessorNameString");
    SYSTEM_INFO system{};
    ::GetNativeSystemInfo(&system);
    facts.processorCount = system.dwNumberOfProcessors;
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    if (::GlobalMemoryStatusEx(&memory)) {
        facts.totalMemory = memory.ullTotalPhys;
        facts.availableMemory = memory.ullAvailPhys;
    }
    facts.drives = Drives();
    facts.displayAdapters = DisplayAdapters();
    facts.hasFirmwareTable = Firmware(facts.firmware);
    return facts;
}

} // namespace

TAVIL_START_TEST(HWND, uint32_t, intptr_t) {
    std::string text = ConfigReportText(GatherFacts());
    std::string path = ReportDirectory() + "cfg.log";
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (!file)
        return kResultCouldNotTest;
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written ? kResultPassed : kResultCouldNotTest;
}
