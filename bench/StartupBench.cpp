// Start-up benchmark: time from process creation to the main window being
// shown, for tavilcheck.exe (or perfmode.exe) on the demo installation and
// for a bare Win32 dialog program started the same way in the same run.
// Prints both medians and their ratio.
//
//   xvfb-run -a wine build/x86_64/bench/startup_bench.exe [runs] [perfmode]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/uidriver/Installation.h"
#include "tests/uidriver/UiDriver.h"

namespace {

// Milliseconds from CreateProcess to a visible dialog window of the
// program; the program is then closed.  -1 when no window appeared.
double TimeToWindow(const std::string& exe, const std::string& directory, int closeId) {
    LARGE_INTEGER frequency, start, shown;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    uidriver::Process program(exe, "", directory);
    HWND window = nullptr;
    uidriver::WaitUntil(
        [&] {
            window = uidriver::WaitForWindow(program.id(), "#32770", nullptr, 0);
            return window != nullptr;
        },
        30000);
    ::QueryPerformanceCounter(&shown);
    if (!window)
        return -1;
    uidriver::PressButton(window, closeId);
    program.WaitForExit(10000);
    return 1000.0 * static_cast<double>(shown.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    bool perfmode = argc > 2 && std::string(argv[2]) == "perfmode";
    Installation installation(TAVIL_INSTALLATION_DIR "\\");
    std::string exe = perfmode ? installation.Path("perfmode.exe") : installation.Program();
    const int closeId = perfmode ? IDCANCEL : 1022; // Cancel, or the main window's Close
    if (perfmode)
        SetMachineUtilityPath(installation.Path("MrcUtils.dll")); // as the installer leaves it
    std::string bare = BARE_DIALOG_EXE;
    std::vector<double> program, reference;
    // Alternate the two so that a change in the machine's load hits both.
    for (int i = 0; i < runs; ++i) {
        double a = TimeToWindow(exe, installation.directory(), closeId);
        double b = TimeToWindow(bare, "", IDCANCEL);
        if (a < 0 || b < 0) {
            std::fprintf(stderr, "startup_bench: a window did not appear\n");
            return 1;
        }
        program.push_back(a);
        reference.push_back(b);
    }
    double p = Median(program), r = Median(reference);
    std::printf("runs: %d\n", runs);
    std::printf("%s to main window: median %.1f ms\n", perfmode ? "perfmode.exe" : "tavilcheck.exe", p);
    std::printf("bare dialog program to window:  median %.1f ms\n", r);
    std::printf("ratio: %.2f\n", p / r);
    return 0;
}
