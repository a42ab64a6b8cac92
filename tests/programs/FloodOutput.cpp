// Test program: writes TAVIL_TEST_BYTES bytes (5 MB when not set) to its
// standard output as fast as it can, in writes of 4 KB, then exits with 0.
// Byte i is 'a' + i % 26 as in write_bytes.
#include <windows.h>

#include <cstdlib>

int main() {
    const char* bytes = std::getenv("TAVIL_TEST_BYTES");
    size_t count = bytes ? std::strtoul(bytes, nullptr, 10) : 5u * 1024 * 1024;
    char chunk[4096];
    HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
    for (size_t done = 0; done < count;) {
        size_t size = count - done < sizeof chunk ? count - done : sizeof chunk;
        for (size_t i = 0; i < size; ++i)
            chunk[i] = static_cast<char>('a' + (done + i) % 26);
        DWORD written = 0;
        if (!::WriteFile(output, chunk, static_cast<DWORD>(size), &written, nullptr))
            return 1;
        done += size;
    }
    return 0;
}
