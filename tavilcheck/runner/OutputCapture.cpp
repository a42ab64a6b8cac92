#include "OutputCapture.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "RunningProgram.h"
#include "framework/Handles.h"
#include "sdk/tavil_module.h"

namespace tavil {

namespace {

constexpr DWORD kPipeBufferSize = 64 * 1024;
// One read takes whatever the pipe holds, up to this much; it is passed on
// in pieces of kOutputPieceSize.  Reading piece by piece would cost a
// system round trip per 256 bytes.
constexpr DWORD kReadSize = 64 * 1024;

} // namespace

DWORD OutputCapture::Run() {
    // The program's ends of both pipes are inheritable, ours are not: only
    // the program (and what it starts) holds the output pipe's write end,
    // so the pipe breaks when the last of them ends.
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    fw::Handle outputRead, outputWrite, errorWrite, inputRead, inputWrite;
    auto NotStarted = [this](const char* step) {
        m_failure = FailedStep(step);
        return static_cast<DWORD>(TAVIL_RESULT_NOT_STARTED);
    };
    if (!::CreatePipe(outputRead.receive(), outputWrite.receive(), &inheritable, kPipeBufferSize))
        return NotStarted("CreatePipe");
    if (!::DuplicateHandle(::GetCurrentProcess(), outputWrite.get(), ::GetCurrentProcess(), errorWrite.receive(), 0,
                           TRUE, DUPLICATE_SAME_ACCESS))
        return NotStarted("DuplicateHandle");
    if (!::CreatePipe(inputRead.receive(), inputWrite.receive(), &inheritable, 0))
        return NotStarted("CreatePipe1");
    // Our input end is kept open while the program runs, so that a program
    // reading its input waits instead of seeing the end of it.
    if (!::SetHandleInformation(outputRead.get(), HANDLE_FLAG_INHERIT, 0) ||
        !::SetHandleInformation(inputWrite.get(), HANDLE_FLAG_INHERIT, 0))
        return NotStarted("SetHandleInformation");

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = inputRead.get();
    startup.hStdOutput = outputWrite.get();
    startup.hStdError = errorWrite.get();
    ProgramProcess program;
    m_failure = program.Start(m_commandLine, startup, CREATE_NEW_CONSOLE);
    // Only the program holds the write ends now.
    outputWrite.reset();
    errorWrite.reset();
    inputRead.reset();
    if (m_failure)
        return static_cast<DWORD>(TAVIL_RESULT_NOT_STARTED);

    g_runningProgram.SetChild(program);
    ReadOutput(outputRead.get());
    DWORD exitCode = program.WaitForExit();
    g_runningProgram.ForgetChild();
    return exitCode;
}

void OutputCapture::ReadOutput(HANDLE pipe) {
    std::vector<char> buffer(kReadSize);
    DWORD size = 0;
    // A failed read is the broken pipe (every writer has gone), or a
    // failure that would repeat for ever: either ends the capture.
    while (::ReadFile(pipe, buffer.data(), kReadSize, &size, nullptr)) {
        for (DWORD at = 0; at < size; at += kOutputPieceSize)
            SendPiece(buffer.data() + at, std::min<DWORD>(size - at, kOutputPieceSize));
    }
}

void OutputCapture::SendPiece(const char* data, DWORD size) {
    char text[2 * kOutputPieceSize] = {};
    std::memcpy(text, data, size);
    ::SendMessageA(m_window, TM_SCREEN_TEXT, 0, reinterpret_cast<LPARAM>(text));
    ::SendMessageA(m_window, TM_LOG_TEXT, 0, reinterpret_cast<LPARAM>(text));
}

} // namespace tavil
