// Files and folders of the Wine and end-to-end tests: fresh scratch
// folders, reading a file whole, profile values, joining the texts a window
// received.
#pragma once

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "framework/Handles.h"

namespace tavil {

// Deletes the files (not the sub-folders) of `directory` (ending in "\").
inline void DeleteFilesIn(const std::string& directory) {
    WIN32_FIND_DATAA found;
    fw::FindHandle search(::FindFirstFileA((directory + "*").c_str(), &found));
    if (!search)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            const std::string path = directory + found.cFileName;
            ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL); // read-only files of a test too
            ::DeleteFileA(path.c_str());
        }
    } while (::FindNextFileA(search.get(), &found));
}

// An empty folder `name` in the temporary folder, ending in "\".
inline std::string TempDirectory(const char* name) {
    char base[MAX_PATH];
    ::GetTempPathA(MAX_PATH, base);
    std::string directory = std::string(base) + name + "\\";
    ::CreateDirectoryA(directory.c_str(), nullptr);
    DeleteFilesIn(directory);
    return directory;
}

inline bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

inline void WriteWholeFile(const std::string& path, const std::string& contents) {
    std::ofstream file(path, std::ios::binary);
    file << contents;
}

// Opens `path` sharing nothing, as a program that holds a file locked.
inline fw::Handle LockFile(const std::string& path) {
    return fw::Handle(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
}

// A value of a profile file (such as the history file), read through the
// profile functions as the program reads it; empty when missing.
inline std::string ProfileValue(const std::string& path, const std::string& section, const char* key) {
    char value[256] = "";
    ::GetPrivateProfileStringA(section.c_str(), key, "", value, sizeof value, path.c_str());
    return value;
}

inline std::string Joined(const std::vector<std::string>& texts) {
    std::string all;
    for (const std::string& t : texts)
        all += t;
    return all;
}

} // namespace tavil
