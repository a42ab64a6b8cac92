#include "OutputCapture.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <vector>

#include "RunningProgram.h"
#include "sdk/tavil_module.h"

namespace tavil {

namespace {

// How long the pipe may stay silent after the program has ended before
// the capture stops: a process the program started may still hold the
// pipe's write end, and the run must not wait for it.
constexpr DWORD kDrainAfterEndMs = 200;
constexpr DWORD kPipeBufferSize = 64 * 1024;
// One read takes whatever the pipe holds, up to this much; it is passed on
// in pieces of kOutputPieceSize.  Reading piece by piece would cost a
// system round trip per 256 bytes.
constexpr DWORD kReadSize = 64 * 1024;

// The pipe failures are shown by their labels in a plain message box; the
// capture goes on without the part that failed.
void ShowPipeFailure(const char* label) { ::MessageBoxA(nullptr, label, nullptr, MB_OK); }

void CloseIfOpen(HANDLE& handle) {
    if (handle && handle != INVALID_HANDLE_VALUE)
        ::CloseHandle(handle);
    handle = nullptr;
}

// The output pipe: its read end (ours, overlapped, so that the read can be
// waited for together with the program's end) and an inheritable write
// end for the program.  A named pipe is what an anonymous pipe is made of;
// only it offers overlapped reads.
bool MakeOutputPipe(HANDLE& readEnd, HANDLE& writeEnd) {
    static std::atomic<unsigned> serial{0};
    char name[96];
    wsprintfA(name, "\\\\.\\pipe\\tavilcheck-output-%lu-%u", ::GetCurrentProcessId(), serial++);
    readEnd = ::CreateNamedPipeA(name, PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                 PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, 1, 0, kPipeBufferSize, 0,
                                 nullptr);
    if (readEnd == INVALID_HANDLE_VALUE) {
        readEnd = nullptr;
        return false;
    }
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    writeEnd = ::CreateFileA(name, GENERIC_WRITE, 0, &inheritable, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (writeEnd == INVALID_HANDLE_VALUE) {
        writeEnd = nullptr;
        CloseIfOpen(readEnd);
        return false;
    }
    return true;
}

} // namespace

DWORD OutputCapture::Run() {
    HANDLE outputRead = nullptr, outputWrite = nullptr, errorWrite = nullptr;
    HANDLE inputRead = nullptr, inputWrite = nullptr;
    if (!MakeOutputPipe(outputRead, outputWrite))
        ShowPipeFailure("CreatePipe");
    if (outputWrite && !::DuplicateHandle(::GetCurrentProcess(), outputWrite, ::GetCurrentProcess(), &errorWrite,
                                          0, TRUE, DUPLICATE_SAME_ACCESS))
        ShowPipeFailure("DuplicateHandle");
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    if (!::CreatePipe(&inputRead, &inputWrite, &inheritable, 0))
        ShowPipeFailure("CreatePipe1");
    // Our end of the input pipe stays ours.  Kept open while the program
    // runs, so that a program reading its input waits instead of seeing
    // the end of it.
    if (inputWrite && !::SetHandleInformation(inputWrite, HANDLE_FLAG_INHERIT, 0))
        ShowPipeFailure("DupliateHandle2");

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = inputRead;
    startup.hStdOutput = outputWrite;
    startup.hStdError = errorWrite;
    PROCESS_INFORMATION process{};
    std::string commandLine = m_commandLine; // CreateProcess may write into it
    m_started = ::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, CREATE_NEW_CONSOLE, nullptr,
                                 nullptr, &startup, &process) != FALSE;
    if (!m_started)
        m_startError = ::GetLastError();
    else {
        g_runningProgram.SetChild(process.hProcess);
        ::CloseHandle(process.hThread);
    }
    // Only the program holds the write ends now: the pipe breaks when it ends.
    CloseIfOpen(outputWrite);
    CloseIfOpen(errorWrite);
    CloseIfOpen(inputRead);

    DWORD exitCode = static_cast<DWORD>(TAVIL_RESULT_NOT_STARTED);
    if (m_started) {
        if (outputRead)
            ReadOutput(outputRead, process.hProcess);
        ::WaitForSingleObject(process.hProcess, INFINITE);
        ::GetExitCodeProcess(process.hProcess, &exitCode);
        g_runningProgram.ForgetChild();
        ::CloseHandle(process.hProcess);
    }
    CloseIfOpen(outputRead);
    CloseIfOpen(inputWrite);
    return exitCode;
}

void OutputCapture::ReadOutput(HANDLE pipe, HANDLE child) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!overlapped.hEvent)
        return;
    std::vector<char> buffer(kReadSize);
    bool childEnded = false;
    for (;;) {
        DWORD size = 0;
        if (!::ReadFile(pipe, buffer.data(), kReadSize, nullptr, &overlapped)) {
            // Broken pipe: every writer has gone.  Any other error ends
            // the capture too rather than trying the same read for ever.
            if (::GetLastError() != ERROR_IO_PENDING)
                break;
            // Nothing there yet: wait for output, or for the program's end.
            HANDLE events[2] = {overlapped.hEvent, child};
            DWORD woken = ::WaitForMultipleObjects(childEnded ? 1 : 2, events, FALSE,
                                                   childEnded ? kDrainAfterEndMs : INFINITE);
            if (woken == WAIT_OBJECT_0 + 1) {
                childEnded = true;
                woken = ::WaitForSingleObject(overlapped.hEvent, kDrainAfterEndMs);
            }
            if (woken != WAIT_OBJECT_0) {
                // The program has gone and the pipe stays silent; a
                // piece that came in as the read was cancelled still counts.
                ::CancelIo(pipe);
                if (!::GetOverlappedResult(pipe, &overlapped, &size, TRUE) || size == 0)
                    break;
            }
        }
        if (!::GetOverlappedResult(pipe, &overlapped, &size, FALSE))
            break;
        for (DWORD at = 0; at < size; at += kOutputPieceSize)
            SendPiece(buffer.data() + at, std::min<DWORD>(size - at, kOutputPieceSize));
    }
    ::CloseHandle(overlapped.hEvent);
}

void OutputCapture::SendPiece(const char* data, DWORD size) {
    char text[2 * kOutputPieceSize] = {};
    std::memcpy(text, data, size);
    ::SendMessageA(m_window, TM_SCREEN_TEXT, 0, reinterpret_cast<LPARAM>(text));
    ::SendMessageA(m_window, TM_LOG_TEXT, 0, reinterpret_cast<LPARAM>(text));
}

} // namespace tavil
