// Capture benchmark: the real tavilcheck.exe runs a console program that
// writes 5 MB as fast as it can, as an Individual Test in captured mode,
// so every byte goes through the pipe and the capture thread into the
// main window's output view and into the run log.  The throughput is set
// against the limit the message protocol itself sets, measured in the same
// run: one piece of 256 bytes costs two synchronous cross-thread
// SendMessage round trips (screen, then log).  The program's start and the
// run's fixed costs are taken out with a run of the same program writing
// nothing.
//
//   xvfb-run -a wine build/x86_64/bench/capture_bench.exe [megabytes]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchTiming.h"
#include "resource_ids.h"
#include "tests/uidriver/Installation.h"
#include "tests/uidriver/UiDriver.h"

using namespace uidriver;

namespace {

const char kDefinitions[] = "TYPE=BUNDLE\n[MAX_REPEAT_TIMES]\nREPEATTIMES=1\n[FASTCHECK]\nNUM=0\nREPEAT_ENABLE=1\n"
                            "[MODULE_0]\nTESTNAME=Flood\nTESTFILE=flood_output.exe\nTESTFILE_SUBDIR=flood\n"
                            "LOG_OPTION=\nWINDOW_TYPE=DEFAULT\nREPEAT_ENABLE=1\n";
constexpr DWORD kTimeout = 600000;
constexpr int kTabWidth = 159;

LRESULT CALLBACK Echo(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return message == WM_USER ? 0 : ::DefWindowProcA(hwnd, message, wParam, lParam);
}

struct RunFigures {
    double seconds = -1; // from Run Test to Back
    long long logBytes = 0;
};

// One Individual Test run of the flood program writing `bytes`.
RunFigures RunFlood(size_t bytes) {
    RunFigures figures;
    ::SetEnvironmentVariableA("TAVIL_TEST_BYTES", std::to_string(bytes).c_str());
    Installation installation(TAVIL_INSTALLATION_DIR "\\");
    installation.Write("initest.vhd", kDefinitions, true);
    ::CreateDirectoryA(installation.Path("flood").c_str(), nullptr);
    installation.CopyIn(FLOOD_PROGRAM, "flood\\flood_output.exe");
    Process program(installation.Program(), "", installation.directory());
    HWND window = WaitForWindow(program.id(), "#32770", nullptr, 30000);
    if (!window) {
        std::printf("no main window (started: %d)\n", program.started() ? 1 : 0);
        return figures;
    }
    ClickTab(Control(window, IDC_PAGE_TABS), 1, kTabWidth);
    HWND page = ChildDialogs(Control(window, IDC_PAGE_TABS))[1];
    WaitUntil([&] { return IsShown(page); }, 10000);
    ChooseListItem(page, IDC_MODULE_LIST, 1);
    WaitUntil([&] { return ListCount(Control(page, IDC_MODULE_LIST)) == 1; }, 10000);

    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    PressButton(page, IDC_RUN);
    bool ended = false;
    while (!ended) {
        ended = WindowText(Control(page, IDC_RUN)) == "Back";
        ::QueryPerformanceCounter(&end);
        if (!ended && Seconds(start, end) * 1000 > kTimeout)
            return figures;
        if (!ended)
            ::Sleep(100); // each look at the window costs it time: seldom
    }
    figures.seconds = Seconds(start, end);
    WIN32_FILE_ATTRIBUTE_DATA log{};
    if (::GetFileAttributesExA(installation.Path("hwck_log00.txt").c_str(), GetFileExInfoStandard, &log))
        figures.logBytes = (static_cast<long long>(log.nFileSizeHigh) << 32) | log.nFileSizeLow;
    program.Kill();
    program.WaitForExit(10000);
    return figures;
}

} // namespace

int main(int argc, char** argv) {
    const int megabytes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const size_t bytes = static_cast<size_t>(megabytes) * 1024 * 1024;

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Echo;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TavilCaptureBench";
    ::RegisterClassA(&windowClass);
    HWND echo =
        ::CreateWindowA("TavilCaptureBench", "", 0, 0, 0, 10, 10, nullptr, nullptr, windowClass.hInstance, nullptr);
    // The bare round trip is taken before, between and after the runs;
    // the median stands for the machine's state during them.
    auto bareSample = [&] { return CrossThread(3000, [&] { ::SendMessageA(echo, WM_USER, 0, 0); }); };
    double samples[3];
    samples[0] = bareSample();
    RunFigures empty = RunFlood(0);
    samples[1] = bareSample();
    RunFigures flood = RunFlood(bytes);
    samples[2] = bareSample();
    if (empty.seconds < 0 || flood.seconds < 0) {
        std::printf("a run did not end\n");
        return 1;
    }
    std::sort(samples, samples + 3);
    const double bare = samples[1];
    const double limit = 256.0 / (2 * bare); // bytes per second
    const double throughput = bytes / (flood.seconds - empty.seconds);
    std::printf("bare cross-thread SendMessage:       %8.1f us (median of %.1f, %.1f, %.1f)\n", bare * 1e6,
                samples[0] * 1e6, samples[1] * 1e6, samples[2] * 1e6);
    std::printf("protocol limit (256 B per 2 sends):  %8.1f KB/s\n", limit / 1024);
    std::printf("run of an empty program:             %8.2f s\n", empty.seconds);
    std::printf("run of %d MB of output:               %8.2f s (log file %lld bytes)\n", megabytes, flood.seconds,
                flood.logBytes);
    std::printf("capture throughput:                  %8.1f KB/s  (%.2f of the limit)\n", throughput / 1024,
                throughput / limit);
    std::printf("a 100 ms wait before every read:     %8.1f KB/s  (%.3f of the limit)\n", 2.56, 2560.0 / limit);
    return 0;
}
