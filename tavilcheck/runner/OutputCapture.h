// The output-capture thread of a program module in captured mode: starts
// the program hidden in a console of its own with its standard output and
// error on a pipe, and sends everything it writes to the main window in
// pieces of at most 256 bytes (TM_SCREEN_TEXT, then TM_LOG_TEXT), as soon
// as each piece is read.  The thread ends when the pipe breaks: the
// program and every process it started that holds the pipe have ended (or
// were ended by Stop).  Its exit code is the program's.
#pragma once

#include <windows.h>

#include <string>

#include "ProgramProcess.h"
#include "framework/Thread.h"

namespace tavil {

constexpr size_t kOutputPieceSize = 256;

class OutputCapture : public fw::Thread {
public:
    OutputCapture(HWND window, std::string commandLine) : m_window(window), m_commandLine(std::move(commandLine)) {}

    // After the thread has ended: why the program was not started (the
    // pipes, the job or the program itself), or nothing when it ran.
    StartFailure failure() const { return m_failure; }

protected:
    DWORD Run() override;

private:
    // Reads the pipe until every writer has gone.
    void ReadOutput(HANDLE pipe);
    void SendPiece(const char* data, DWORD size);

    HWND m_window;
    std::string m_commandLine;
    StartFailure m_failure;
};

} // namespace tavil
