// The system's own text for an error code, as the user should read it.
#pragma once

#include <windows.h>

#include <string>

namespace fw {

// FormatMessage's text for `error` without its trailing line end; empty
// when the system has none.
inline std::string SystemMessage(DWORD error) {
    char text[512] = "";
    DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                                    sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == ' '))
        --length;
    return std::string(text, length);
}

} // namespace fw
