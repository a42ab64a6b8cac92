#include "RunLog.h"

#include <windows.h>

#include <io.h>

#include "RunLogText.h"
#include "framework/TextUtil.h"

namespace tavil {

void RotateRunLogs(const std::string& directory) {
    for (int n = kLogFileCount - 2; n >= 0; --n) {
        std::string source = directory + LogFileName(n);
        if (::GetFileAttributesA(source.c_str()) != INVALID_FILE_ATTRIBUTES)
            ::CopyFileA(source.c_str(), (directory + LogFileName(n + 1)).c_str(), FALSE);
    }
}

bool RunLog::SetDirectory(const std::string& directory) {
    std::string normalised = fw::WithOneTrailingBackslash(directory);
    if (!LogDirectoryFits(normalised))
        return false;
    m_directory = normalised;
    m_path = m_directory + LogFileName(0);
    return true;
}

bool RunLog::OpenForRun(const std::string& directory) {
    Close();
    if (!SetDirectory(directory))
        return false;
    m_historyPath = m_directory + kHistoryFileName;
    RotateRunLogs(m_directory);
    OpenFile("wt+");
    return IsOpen();
}

bool RunLog::UseDirectory(const std::string& directory) {
    if (!SetDirectory(directory))
        return false;
    if (m_historyPath.empty())
        m_historyPath = m_directory + kHistoryFileName;
    if (!IsOpen())
        OpenFile("at");
    return true;
}

void RunLog::OpenFile(const char* mode) {
    m_file = std::fopen(m_path.c_str(), mode);
    if (!m_file)
        return;
    // The C library makes its files inheritable; a test program (or one it
    // starts) must not keep the log open.
    intptr_t handle = _get_osfhandle(_fileno(m_file));
    if (handle != -1)
        ::SetHandleInformation(reinterpret_cast<HANDLE>(handle), HANDLE_FLAG_INHERIT, 0);
}

void RunLog::Write(const char* text) {
    if (m_file && text)
        std::fputs(text, m_file);
}

void RunLog::Restart(const std::string& header) {
    m_ready = false;
    if (Close()) {
        OpenFile("wt+");
        Write(header.c_str());
    }
    m_ready = true;
}

void RunLog::Reopen() {
    if (Close())
        OpenFile("at");
}

bool RunLog::Close() {
    if (!m_file)
        return false;
    std::fclose(m_file);
    m_file = nullptr;
    return true;
}

} // namespace tavil
