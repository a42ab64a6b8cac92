// Creating the history report, all on the interface thread: the Save As
// dialog, the system-information module hwconfig.dll, and the report file
// (header, history records, the module's cfg.log).
#pragma once

#include <windows.h>

#include <string>

#include "framework/StdFile.h"

namespace tavil {

// What the report is made from.
struct ReportSources {
    std::string programDirectory; // where hwconfig.dll is
    std::string logDirectory;     // report.tmp and cfg.log; the dialog starts here
    std::string modelName;
};

// The whole command: asks for the path, calls hwconfig.dll, writes the
// report and says how it went.  Cancel does nothing at all.  A report that
// cannot be created or written is reported with its path and the system's
// reason, and nothing else is written.
void CreateHistoryReport(HWND owner, const ReportSources& sources);

// The Save As dialog owned by `owner`, starting in `folder`, proposing
// ReportYYYYMMDD.txt for today and asking before it replaces a file; false
// when the user cancels.
bool ChooseReportPath(HWND owner, const std::string& folder, std::string& path);

// Calls StartTest(window, 0, null) of hwconfig.dll in `programDirectory`,
// with the log directory given to it through the environment, and unloads
// it.  A library that does not load or has no StartTest is not called.
// True when it was called.
bool RunSystemInformationModule(HWND window, const std::string& programDirectory, const std::string& logDirectory);

// The report file, written in text mode.  It is created before anything
// else is done, so that a path that cannot be written is known at once.
class HistoryReportFile {
public:
    // Creates the file, replacing one that is there; 0 or the system's error.
    DWORD Create(const std::string& path);
    void Write(const std::string& text);
    // Copies the text file at `path` in pieces, unchanged; nothing when it
    // cannot be opened.
    void CopyTextFile(const std::string& path);
    // Closes the file; 0, or the error of the first write that failed, in
    // which case the incomplete file is removed.
    DWORD Finish();

private:
    void Failed();
    std::string m_path;
    fw::StdFile m_file;
    DWORD m_error = 0;
};

} // namespace tavil
