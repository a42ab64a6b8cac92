// Timing helpers of the benchmarks.
#pragma once

#include <windows.h>

#include <atomic>
#include <thread>

inline double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Runs `body` `count` times on a second thread while this thread handles
// the window's messages; the seconds per call.
template <class Body> inline double CrossThread(int count, Body body) {
    LARGE_INTEGER start, end;
    std::atomic<bool> done{false};
    ::QueryPerformanceCounter(&start);
    std::thread sender([&] {
        for (int i = 0; i < count; ++i)
            body();
        done = true;
    });
    MSG msg;
    while (!done) {
        if (::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT) == WAIT_OBJECT_0)
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageA(&msg);
    }
    sender.join();
    ::QueryPerformanceCounter(&end);
    return Seconds(start, end) / count;
}
