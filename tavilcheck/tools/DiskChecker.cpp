#include "DiskChecker.h"

#include <atomic>
#include <vector>

#include "BootSchedule.h"
#include "framework/Application.h"
#include "framework/Handles.h"
#include "tavilcheck/catalogue/ModeFlags.h"

namespace tavil {

namespace {

const char kCaption[] = "Check Hard Disk";

// The checker's callback and its commands.
constexpr int kProgressCommand = 0;
constexpr int kOutputCommand = 14;
struct TextOutput {
    DWORD lines;
    const char* output;
};
using CheckerCallback = BOOLEAN(__stdcall*)(int command, DWORD modifier, void* data);
using ChkdskFunction = void(__stdcall*)(const wchar_t* volume, const wchar_t* fileSystem, BOOL fix, BOOL verbose,
                                        BOOL onlyIfDirty, BOOL recover, void* unused1, void* unused2,
                                        CheckerCallback callback);

// The dialog of the check in progress: the callback has no context of its
// own, and only one check runs at a time.
std::atomic<HWND> g_checkDialog{nullptr};

BOOLEAN __stdcall OnCheckerEvent(int command, DWORD, void* data) {
    HWND dialog = g_checkDialog.load();
    if (!dialog || !data)
        return TRUE;
    if (command == kProgressCommand)
        ::SendMessageA(dialog, WM_CHECKDISK_PROGRESS, 0, static_cast<LPARAM>(*static_cast<const DWORD*>(data)));
    else if (command == kOutputCommand) {
        const auto* text = static_cast<const TextOutput*>(data);
        if (text->output)
            ::SendMessageA(dialog, WM_CHECKDISK_TEXT, 0, reinterpret_cast<LPARAM>(text->output));
    }
    return TRUE;
}

std::wstring Wide(const std::string& text) {
    int length = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::vector<wchar_t> wide(length > 0 ? length : 1, L'\0');
    if (length > 0)
        ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    return wide.data();
}

} // namespace

std::string SystemCheckerPath() {
    const std::string directory = fw::SystemDirectory();
    return directory.empty() ? std::string() : directory + "fmifs.dll";
}

int DiskCheckerThread::Ask(const char* text, UINT type) const {
    CheckerQuestion question{text, kCaption, type};
    return static_cast<int>(::SendMessageA(m_request.dialog, WM_CHECKDISK_ASK, 0, reinterpret_cast<LPARAM>(&question)));
}

DWORD DiskCheckerThread::Run() {
    // Only the system's own checker: a file of that name in the current
    // directory is never loaded.
    const std::string checkerPath = SystemCheckerPath();
    fw::Library checker(checkerPath.empty() ? nullptr : ::LoadLibraryA(checkerPath.c_str()));
    auto chkdsk =
        checker ? reinterpret_cast<ChkdskFunction>(reinterpret_cast<void*>(::GetProcAddress(checker.get(), "Chkdsk")))
                : nullptr;
    if (!chkdsk) {
        Ask("Loading DLL failed ! --- (E-NORMAL-005)", MB_OK | MB_ICONEXCLAMATION);
        return kCheckNotRun;
    }
    char fileSystem[100] = "";
    if (!::GetVolumeInformationA(m_request.volumePath.c_str(), nullptr, 0, nullptr, nullptr, nullptr, fileSystem,
                                 sizeof fileSystem)) {
        Ask("Could not query hdd information --- (E-NORMAL-006)", MB_OK | MB_ICONEXCLAMATION);
        return kCheckNotRun;
    }
    if (!(m_request.modeFlags & FLAG_WINDIR_OTHER) && (m_request.fix || m_request.recover)) {
        fw::Handle probe(
            ::CreateFileA(m_request.volumePath.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        if (!probe) {
            if (Ask("Check Hard Disk cannot run because the volume is in use by another process.\r\n"
                    "Would you like to schedule this volume to be checked the next time the system "
                    "restarts?(Yes/No) --- (E-NORMAL-007)",
                    MB_YESNO | MB_ICONQUESTION) == IDYES)
                ScheduleCheckAtRestart(m_request.volumePath, m_request.recover);
            return kCheckNotRun;
        }
    }
    const std::wstring volume = Wide(m_request.volumePath), system = Wide(fileSystem);
    g_checkDialog = m_request.dialog;
    chkdsk(volume.c_str(), system.c_str(), m_request.fix, FALSE, FALSE, m_request.recover, nullptr, nullptr,
           OnCheckerEvent);
    g_checkDialog = nullptr;
    return kCheckRan;
}

} // namespace tavil
