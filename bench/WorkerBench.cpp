// Worker benchmark, two ratios measured in one run:
//  1. one worker-to-window text message (the worker's ScreenText, handled
//     by a window that keeps the text) against a bare cross-thread
//     SendMessage to a window that does nothing;
//  2. loading, calling and unloading an empty library module through the
//     worker's module call against a bare LoadLibrary/FreeLibrary.
//
//   xvfb-run -a wine build/x86_64/bench/worker_bench.exe [iterations]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "BenchTiming.h"
#include "framework/Handles.h"
#include "tavilcheck/runner/CCallDllThread.h"
#include "tavilcheck/runner/LibraryModule.h"

using namespace tavil;

namespace {

std::string g_kept; // the text window keeps what it is sent, as the real one does

LRESULT CALLBACK TextWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TM_SCREEN_TEXT && lParam) {
        g_kept.assign(reinterpret_cast<const char*>(lParam));
        return 0;
    }
    if (message == WM_USER)
        return 0;
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

template <class Body> double Local(int count, Body body) {
    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    for (int i = 0; i < count; ++i)
        body();
    ::QueryPerformanceCounter(&end);
    return Seconds(start, end) / count;
}

} // namespace

int main(int argc, char** argv) {
    int count = argc > 1 ? std::max(100, std::atoi(argv[1])) : 5000;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = TextWindow;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TavilBenchWindow";
    ::RegisterClassA(&windowClass);
    HWND window = ::CreateWindowA("TavilBenchWindow", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);

    TestCatalogue catalogue;
    CCallDllThread worker(window, catalogue, RunRequest{});
    const std::string text = "Memory test: pass 1 of 3, block 0x00400000 checked\r\n";
    double bare = CrossThread(count, [&] { ::SendMessageA(window, WM_USER, 0, 0); });
    double message = CrossThread(count, [&] { worker.ScreenText(text); });
    std::printf("cross-thread SendMessage:       %.2f us\n", bare * 1e6);
    std::printf("worker text message:            %.2f us\n", message * 1e6);
    std::printf("ratio (text message / bare):    %.2f\n", message / bare);

    int loads = count / 10;
    HMODULE loaded = nullptr;
    double bareLoad = Local(loads, [] { fw::Library module(::LoadLibraryA("empty_module.dll")); });
    double moduleCall = Local(loads, [&] { CallLibraryModule("empty_module.dll", window, 0, 1, loaded); });
    std::printf("LoadLibrary + FreeLibrary:      %.2f us\n", bareLoad * 1e6);
    std::printf("load, call, unload a module:    %.2f us\n", moduleCall * 1e6);
    std::printf("ratio (module call / bare):     %.2f\n", moduleCall / bareLoad);
    ::DestroyWindow(window);
    return 0;
}
