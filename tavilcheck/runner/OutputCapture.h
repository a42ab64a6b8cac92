// The output-capture thread of a program module in captured mode: starts
// the program hidden in a console of its own with its standard output and
// error on a pipe, and sends everything it writes to the main window in
// pieces of at most 256 bytes (TM_SCREEN_TEXT, then TM_LOG_TEXT), as soon
// as each piece is read.  The thread ends when the program has ended and
// its output has been read; its exit code is the program's.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Thread.h"

namespace tavil {

constexpr size_t kOutputPieceSize = 256;

class OutputCapture : public fw::Thread {
public:
    OutputCapture(HWND window, std::string commandLine)
        : m_window(window), m_commandLine(std::move(commandLine)) {}

    // After the thread has ended: whether the program could be started,
    // and if not, the system's error code.
    bool started() const { return m_started; }
    DWORD startError() const { return m_startError; }

protected:
    DWORD Run() override;

private:
    // Reads the pipe until every writer has gone, or the program has
    // ended and nothing more arrives.
    void ReadOutput(HANDLE pipe, HANDLE child);
    void SendPiece(const char* data, DWORD size);

    HWND m_window;
    std::string m_commandLine;
    bool m_started = false;
    DWORD m_startError = 0;
};

} // namespace tavil
