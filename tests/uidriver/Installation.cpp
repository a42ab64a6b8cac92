#include "Installation.h"

#include <windows.h>

#include <cstdio>

#include "framework/Handles.h"
#include "tavilcheck/catalogue/DataFile.h"

namespace {
// What runs in an installation leave there: run logs and the history file.
bool IsRunRecord(const std::string& name) {
    return (name.rfind("hwck_log", 0) == 0 && name.size() == 14) || name == "report.tmp";
}

// Every file and folder of `from` is copied to `to`, except the records of
// earlier runs: each copy starts as freshly installed.
void CopyFolder(const std::string& from, const std::string& to) {
    WIN32_FIND_DATAA found;
    fw::FindHandle search(::FindFirstFileA((from + "*").c_str(), &found));
    if (!search)
        return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ::CreateDirectoryA((to + name).c_str(), nullptr);
            CopyFolder(from + name + "\\", to + name + "\\");
        } else if (!IsRunRecord(name)) {
            ::CopyFileA((from + name).c_str(), (to + name).c_str(), FALSE);
        }
    } while (::FindNextFileA(search.get(), &found));
}

void RemoveFolder(const std::string& folder) {
    WIN32_FIND_DATAA found;
    fw::FindHandle search(::FindFirstFileA((folder + "*").c_str(), &found));
    if (search) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolder(folder + name + "\\");
            else
                ::DeleteFileA((folder + name).c_str());
        } while (::FindNextFileA(search.get(), &found));
    }
    ::RemoveDirectoryA(folder.c_str());
}
} // namespace

Installation::Installation(const std::string& source) {
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    static int counter = 0;
    m_directory =
        std::string(temp) + "tavil_" + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(++counter) + "\\";
    ::CreateDirectoryA(m_directory.c_str(), nullptr);
    CopyFolder(source, m_directory);
}

Installation::~Installation() { RemoveFolder(m_directory); }

void Installation::Remove(const std::string& name) const { ::DeleteFileA(Path(name).c_str()); }

void Installation::Write(const std::string& name, const std::string& text, bool scrambled) const {
    std::string bytes = text;
    if (scrambled)
        tavil::Scramble(bytes);
    std::FILE* file = std::fopen(Path(name).c_str(), "wb");
    if (file) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
}

void Installation::CopyIn(const std::string& source, const std::string& name) const {
    ::CopyFileA(source.c_str(), Path(name).c_str(), FALSE);
}

namespace {
const char kMachineUtilityKey[] = "SOFTWARE\\Maricor Corporation\\Shared Info\\Machine Utility";
}

void SetMachineUtilityPath(const std::string& path, unsigned long type) {
    fw::RegistryKey key;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kMachineUtilityKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.receive(),
                          nullptr) != ERROR_SUCCESS)
        return;
    ::RegSetValueExA(key.get(), "MrcUtils.dll", 0, type, reinterpret_cast<const BYTE*>(path.c_str()),
                     static_cast<DWORD>(path.size() + 1));
}

void RemoveMachineUtilityPath() { ::RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kMachineUtilityKey, "MrcUtils.dll"); }
