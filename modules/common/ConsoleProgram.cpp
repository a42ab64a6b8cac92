#include "modules/common/ConsoleProgram.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "framework/SystemError.h"

namespace tavil::modules {

namespace {

volatile LONG g_stopRequested = 0;

BOOL WINAPI OnConsoleControl(DWORD) {
    ::InterlockedExchange(&g_stopRequested, 1);
    return TRUE;
}

} // namespace

void StartConsoleProgram() {
    _setmode(_fileno(stdout), _O_BINARY);
    ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

bool StopRequested() { return g_stopRequested != 0; }

void Print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

double Seconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string DirectoryArgument(const char* argument) {
    std::string directory = argument;
    while (!directory.empty() && directory.back() == '"')
        directory.pop_back();
    if (!directory.empty() && directory.back() != '\\' && directory.back() != '/')
        directory += '\\';
    return directory;
}

void WriteDetailFile(const std::string& logDirectory, const std::string& summary) {
    const std::string path = logDirectory + "DefLog.tmp";
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(summary.data(), 1, summary.size(), file);
        std::fclose(file);
    }
}

std::string SystemErrorText(DWORD error) {
    const std::string text = fw::SystemMessage(error);
    return !text.empty() ? text + " (" + std::to_string(error) + ")" : "system error " + std::to_string(error);
}

AlignedBlock AllocateAligned(size_t size) {
    return AlignedBlock(static_cast<uint8_t*>(::VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)));
}

void AlignedFree::operator()(uint8_t* block) const { ::VirtualFree(block, 0, MEM_RELEASE); }

} // namespace tavil::modules
