// The settings file tavilhwdiag.ini, read and written through the
// platform's profile functions (always with the full path: a bare name
// would be looked up in the Windows directory).
#pragma once

#include <string>

namespace tavil {

extern const char kSettingsFileName[]; // "tavilhwdiag.ini"

// Values are read into 1024-byte buffers: at most 1023 characters.
std::string ReadSetting(const std::string& path, const char* section, const char* key, const char* fallback);
int ReadSettingInt(const std::string& path, const char* section, const char* key, int fallback);
// Creates the section and key when absent; false when the file could not
// be written.
bool WriteSetting(const std::string& path, const char* section, const char* key, const std::string& value);

} // namespace tavil
