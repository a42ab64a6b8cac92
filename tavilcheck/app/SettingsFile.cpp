#include "SettingsFile.h"

#include <windows.h>

namespace tavil {

const char kSettingsFileName[] = "tavilhwdiag.ini";

std::string ReadSetting(const std::string& path, const char* section, const char* key, const char* fallback) {
    char buffer[1024] = "";
    ::GetPrivateProfileStringA(section, key, fallback, buffer, sizeof buffer, path.c_str());
    return buffer;
}

int ReadSettingInt(const std::string& path, const char* section, const char* key, int fallback) {
    return static_cast<int>(::GetPrivateProfileIntA(section, key, fallback, path.c_str()));
}

bool WriteSetting(const std::string& path, const char* section, const char* key, const std::string& value) {
    return ::WritePrivateProfileStringA(section, key, value.c_str(), path.c_str()) != FALSE;
}

} // namespace tavil
