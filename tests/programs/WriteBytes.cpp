// Test program: writes TAVIL_TEST_BYTES bytes (600 when not set) to its
// standard output with one write, then exits with 0.  Byte i is
// 'a' + i % 26, so pieces can be told apart and put back in order; with
// TAVIL_TEST_NUL_AT=n byte n is a NUL byte.
#include <windows.h>

#include <cstdlib>
#include <string>

int main() {
    const char* bytes = std::getenv("TAVIL_TEST_BYTES");
    size_t count = bytes ? std::strtoul(bytes, nullptr, 10) : 600;
    std::string text(count, ' ');
    for (size_t i = 0; i < count; ++i)
        text[i] = static_cast<char>('a' + i % 26);
    if (const char* nul = std::getenv("TAVIL_TEST_NUL_AT"))
        if (std::strtoul(nul, nullptr, 10) < count)
            text[std::strtoul(nul, nullptr, 10)] = '\0';
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return 0;
}
