#include "HistoryReport.h"

#include <commdlg.h>

#include <vector>

#include "HistoryFile.h"
#include "HistoryReportText.h"
#include "RunLogText.h"
#include "framework/Handles.h"
#include "framework/ResourceSource.h"
#include "framework/SystemError.h"
#include "resource_ids.h"
#include "sdk/tavil_module.h"
#include "skinlib/TesselMessageBox.h"
#include "tavilcheck/app/Startup.h"

namespace tavil {

namespace {

constexpr DWORD kReportPathBufferSize = 1024;
const char kSystemInformationModule[] = "HwConfig.dll";
const char kSystemInformationFile[] = "cfg.log";

std::string Str(UINT id) { return fw::ResourceSource::LoadString(id); }

ReportStrings LoadReportStrings() {
    return {Str(IDS_HISTORY_REPORT_TITLE), Str(IDS_REPORT_DATE), Str(IDS_SYSTEM_INFORMATION),
            Str(IDS_REPORT_SEPARATOR)};
}

// Sets an environment variable for the life of the object, then puts the
// earlier value back.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : m_name(name) {
        char old[4096];
        DWORD length = ::GetEnvironmentVariableA(name, old, sizeof old);
        m_had = length > 0 && length < sizeof old;
        if (m_had)
            m_old.assign(old, length);
        ::SetEnvironmentVariableA(name, value.c_str());
    }
    ~ScopedEnvironment() { ::SetEnvironmentVariableA(m_name, m_had ? m_old.c_str() : nullptr); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* m_name;
    std::string m_old;
    bool m_had = false;
};

void ShowNotCreated(HWND owner, const std::string& path, DWORD error) {
    std::string reason = fw::SystemMessage(error);
    if (reason.empty())
        reason = "system error " + std::to_string(error);
    const std::string text = Str(IDS_REPORT_NOT_CREATED) + "\r\n\r\n" + path + "\r\n\r\n" + reason;
    TesselMessageBox(text.c_str(), Str(IDS_CREATE_HISTORY_REPORT).c_str(), MB_ICONEXCLAMATION | MB_OK, owner);
}

} // namespace

bool ChooseReportPath(HWND owner, const std::string& folder, std::string& path) {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    std::vector<char> file(kReportPathBufferSize, '\0');
    const std::string proposed = ReportFileName(now.wYear, now.wMonth, now.wDay);
    proposed.copy(file.data(), file.size() - 1);

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = "Text File(*.txt)\0*.TXT\0";
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = kReportPathBufferSize;
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!::GetSaveFileNameA(&dialog))
        return false;
    path = file.data();
    return true;
}

bool RunSystemInformationModule(HWND window, const std::string& programDirectory, const std::string& logDirectory) {
    fw::Library module(::LoadLibraryA((programDirectory + kSystemInformationModule).c_str()));
    if (!module)
        return false;
    auto startTest =
        reinterpret_cast<TavilStartTestFunction>(reinterpret_cast<void*>(::GetProcAddress(module.get(), "StartTest")));
    if (!startTest)
        return false; // loads, but is no module: treated as missing
    ScopedEnvironment directory(TAVIL_LOG_DIRECTORY_VARIABLE, logDirectory);
    startTest(window, 0, 0);
    return true;
}

DWORD HistoryReportFile::Create(const std::string& path) {
    m_path = path;
    m_error = 0;
    {
        // The probe gives the system's reason when the path cannot be
        // written (the C library's fopen only sets errno).
        fw::Handle probe(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!probe)
            return ::GetLastError();
    }
    m_file.reset(std::fopen(path.c_str(), "w"));
    if (!m_file) {
        const DWORD error = ::GetLastError();
        return error ? error : ERROR_CANNOT_MAKE;
    }
    return 0;
}

void HistoryReportFile::Failed() {
    if (m_error == 0) {
        m_error = ::GetLastError();
        if (m_error == 0)
            m_error = ERROR_WRITE_FAULT;
    }
}

void HistoryReportFile::Write(const std::string& text) {
    if (m_file && std::fwrite(text.data(), 1, text.size(), m_file.get()) != text.size())
        Failed();
}

void HistoryReportFile::CopyTextFile(const std::string& path) {
    fw::StdFile source(std::fopen(path.c_str(), "r"));
    if (!source || !m_file)
        return;
    char piece[kReportCopyPiece];
    size_t got = 0;
    while ((got = std::fread(piece, 1, sizeof piece, source.get())) > 0)
        if (std::fwrite(piece, 1, got, m_file.get()) != got) {
            Failed();
            return;
        }
}

DWORD HistoryReportFile::Finish() {
    if (m_file && std::fclose(m_file.release()) != 0)
        Failed();
    if (m_error)
        ::DeleteFileA(m_path.c_str());
    return m_error;
}

void CreateHistoryReport(HWND owner, const ReportSources& sources) {
    std::string path;
    if (!ChooseReportPath(owner, sources.logDirectory, path))
        return;
    HistoryReportFile report;
    if (DWORD error = report.Create(path)) {
        ShowNotCreated(owner, path, error);
        return;
    }
    RunSystemInformationModule(owner, sources.programDirectory, sources.logDirectory);

    const ReportStrings strings = LoadReportStrings();
    report.Write(HistoryReportText(strings, LocalTimeText(), sources.modelName,
                                   ReadHistoryRecords(sources.logDirectory + kHistoryFileName)));
    const std::string systemInformation = sources.logDirectory + kSystemInformationFile;
    if (FileExists(systemInformation)) {
        report.Write(SystemInformationHeading(strings));
        report.CopyTextFile(systemInformation);
    }
    if (DWORD error = report.Finish()) {
        ShowNotCreated(owner, path, error);
        return;
    }
    TesselMessageBox(Str(IDS_REPORT_CREATED).c_str(), Str(IDS_CREATE_HISTORY_REPORT).c_str(),
                     MB_ICONINFORMATION | MB_OK, owner);
}

} // namespace tavil
