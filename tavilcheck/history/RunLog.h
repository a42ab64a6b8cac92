// The run log file of the main window: rotation of hwck_log00.txt ..
// hwck_log98.txt at the start of a run, the open file and its restarts and
// reopenings.  All files are written in text mode, so every line feed of a
// text is stored as CR LF (a text's "\r\n" becomes CR CR LF).  A log that
// cannot be opened or written leaves the run going without a log.
#pragma once

#include <cstdio>
#include <string>

namespace tavil {

class RunLog {
public:
    RunLog() = default;
    RunLog(const RunLog&) = delete;
    RunLog& operator=(const RunLog&) = delete;
    ~RunLog() { Close(); }

    // The start of a run (or TM_SET_LOG_DIR 0): moves the logs in
    // `directory` up by one number, opens a new, empty hwck_log00.txt and
    // makes the history file beside it the run's.  The log stays closed
    // when the directory is too long for the path buffers or the file
    // cannot be made.
    bool OpenForRun(const std::string& directory);
    // TM_SET_LOG_DIR 1: logs go to `directory` from now on, appended to
    // its hwck_log00.txt when no log is open.  The history file stays
    // where the run's start put it (beside the new log only when no run
    // has named one yet).  False, with nothing changed, for a directory
    // too long for the path buffers.
    bool UseDirectory(const std::string& directory);

    // TM_LOG_TEXT: the text as it stands; nothing when no log is open.
    void Write(const char* text);
    // TM_RESTART_LOG: empties the open log and writes `header` into it.
    void Restart(const std::string& header);
    // TM_REOPEN_LOG: closes the open log and opens it for appending, so
    // that what was written is on disk.
    void Reopen();
    // The end of a run: closes the log; true when one was open.
    bool Close();

    bool IsOpen() const { return m_file != nullptr; }
    // False only while a restart is under way (TM_QUERY_LOG_READY).
    bool ready() const { return m_ready; }
    // The directory of the log (with one trailing backslash), and the
    // history file of the run.
    const std::string& directory() const { return m_directory; }
    const std::string& HistoryPath() const { return m_historyPath; }

private:
    bool SetDirectory(const std::string& directory);
    // Opens the log path in `mode`, text mode, not inherited by programs
    // the run starts.
    void OpenFile(const char* mode);

    std::string m_directory;
    std::string m_path;
    std::string m_historyPath;
    FILE* m_file = nullptr;
    bool m_ready = true;
};

// Moves the run logs of `directory` up by one number: 97 to 98, .. 00 to
// 01, each copied over the next.  A file that cannot be copied (a locked
// or read-only target) is skipped: the rotation never keeps a run from
// being logged.
void RotateRunLogs(const std::string& directory);

} // namespace tavil
