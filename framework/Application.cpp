#include "Application.h"

#include <cstdlib>
#include <vector>

#include "TextUtil.h"

namespace fw {

int Application::ArgumentCount() { return __argc; }
const char* Application::Argument(int index) { return index >= 0 && index < __argc ? __argv[index] : ""; }

const std::string& ProgramDirectory() {
    static const std::string directory = [] {
        std::vector<char> buffer(MAX_PATH);
        DWORD length = 0;
        // A path longer than the buffer comes back cut: try a larger one.
        while ((length = ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()))) ==
                   buffer.size() &&
               buffer.size() < 0x8000)
            buffer.resize(buffer.size() * 2);
        std::string full(buffer.data(), length < buffer.size() ? length : 0);
        size_t slash = full.find_last_of("\\/");
        return WithOneTrailingBackslash(slash == std::string::npos ? std::string() : full.substr(0, slash));
    }();
    return directory;
}

std::string SystemDirectory() {
    char directory[MAX_PATH] = "";
    UINT length = ::GetSystemDirectoryA(directory, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::string() : WithOneTrailingBackslash(directory);
}

int RunApplication(Application& app) { return app.InitInstance(); }

} // namespace fw
