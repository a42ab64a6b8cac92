// Output-view benchmark: 10 MB of screen text in 256-byte pieces, sent from
// a second thread with TM_SCREEN_TEXT to a window that hands each piece to
// a real test page (AppendScreenText on its rich-edit output view, drawn on
// the 66 ms animation tick), as the main window does.  Prints the cost per
// piece over the first and the last 1000 pieces against a bare
// cross-thread SendMessage in the same run: the cost must not grow with
// what the view already holds.  Then the cost per piece of 2 MB whose
// lines are 256, 1024 and 4096 characters long (the view keeps lines up to
// its bound whole, and the rich edit's layout cost grows with a
// paragraph's length).
//
//   xvfb-run -a wine build/x86_64/bench/output_bench.exe [megabytes]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchTiming.h"
#include "sdk/tavil_module.h"
#include "tavilcheck/ui/TestPage.h"

using namespace tavil;

namespace {

TestPage* g_page = nullptr;
double g_tickSeconds = 0; // time the view spent on its animation ticks
int g_ticks = 0;

LRESULT CALLBACK HostWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TM_SCREEN_TEXT && lParam && g_page) {
        g_page->AppendScreenText(reinterpret_cast<const char*>(lParam));
        return 0;
    }
    if (message == WM_TIMER && g_page) {
        LARGE_INTEGER from, to;
        ::QueryPerformanceCounter(&from);
        g_page->AnimateProgress(); // the main window's 66 ms animation tick
        ::QueryPerformanceCounter(&to);
        g_tickSeconds += Seconds(from, to);
        ++g_ticks;
        return 0;
    }
    if (message == WM_USER)
        return 0;
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

// A 256-byte piece of module output: four lines of 64 characters.
std::string Piece(int number) {
    std::string piece;
    for (int line = 0; line < 4; ++line) {
        char text[80];
        std::snprintf(text, sizeof text, "piece %8d line %d: block 0x%08X read back, no error found  ", number, line,
                      number * 4 + line);
        std::string l(text);
        l.resize(62, ' ');
        piece += l + "\r\n";
    }
    return piece;
}

// A 256-byte piece of a stream of lines `lineLength` characters long
// (line end included), `offset` bytes into the stream.
std::string LongLinePiece(size_t offset, size_t lineLength) {
    std::string piece(256, ' ');
    for (size_t i = 0; i < piece.size(); ++i) {
        size_t at = (offset + i) % lineLength;
        piece[i] = at == lineLength - 2 ? '\r' : at == lineLength - 1 ? '\n' : static_cast<char>('a' + at % 26);
    }
    return piece;
}

} // namespace

int main(int argc, char** argv) {
    int megabytes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    ::LoadLibraryA("riched20.dll");
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = HostWindow;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TavilOutputBench";
    ::RegisterClassA(&windowClass);
    HWND host = ::CreateWindowA("TavilOutputBench", "output bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 660, 420,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
    TestCatalogue catalogue;
    TestPage page(kBatchPage, host, 0, catalogue, "{\\rtf1 }", "");
    page.Create(host);
    page.Show(true);
    page.ShowRunningView();
    g_page = &page;
    ::SetTimer(host, 5, 66, nullptr);

    const int pieces = megabytes * 1024 * 1024 / 256;
    const int sample = 1000;
    double bare = CrossThread(sample, [&] { ::SendMessageA(host, WM_USER, 0, 0); });
    int sent = 0;
    auto sendPieces = [&](int count) {
        return CrossThread(count, [&] {
            std::string piece = Piece(sent++);
            ::SendMessageA(host, TM_SCREEN_TEXT, 0, reinterpret_cast<LPARAM>(piece.c_str()));
        });
    };
    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    double first = sendPieces(sample);
    sendPieces(pieces - 2 * sample);
    double last = sendPieces(sample);
    ::QueryPerformanceCounter(&end);

    std::printf("bare cross-thread SendMessage:     %8.1f us\n", bare * 1e6);
    std::printf("piece, first %d (view near empty): %8.1f us  (%.1f x bare)\n", sample, first * 1e6, first / bare);
    std::printf("piece, last %d (after %d MB):      %8.1f us  (%.1f x bare)\n", sample, megabytes, last * 1e6,
                last / bare);
    std::printf("growth (last / first):             %8.2f\n", last / first);
    std::printf("view updates: %d ticks, %.1f ms each, %.0f%% of the run\n", g_ticks,
                g_ticks ? g_tickSeconds * 1e3 / g_ticks : 0.0, 100.0 * g_tickSeconds / Seconds(start, end));
    {
        LARGE_INTEGER a, b;
        ::QueryPerformanceCounter(&a);
        page.ClearOutput();
        ::QueryPerformanceCounter(&b);
        std::printf("clearing the view:                 %8.1f ms\n", Seconds(a, b) * 1e3);
    }
    for (size_t lineLength : {256, 1024, 4096}) {
        const int count = 2 * 1024 * 1024 / 256;
        size_t offset = 0;
        LARGE_INTEGER a, b;
        ::QueryPerformanceCounter(&a);
        double perPiece = CrossThread(count, [&] {
            std::string piece = LongLinePiece(offset, lineLength);
            offset += piece.size();
            ::SendMessageA(host, TM_SCREEN_TEXT, 0, reinterpret_cast<LPARAM>(piece.c_str()));
        });
        page.FlushOutput();
        ::QueryPerformanceCounter(&b);
        std::printf("lines of %4zu: %8.1f us a piece (%.1f x bare), 2 MB in %.2f s with drawing\n", lineLength,
                    perPiece * 1e6, perPiece / bare, Seconds(a, b));
        page.ClearOutput();
    }
    ::DestroyWindow(host);
    return 0;
}
