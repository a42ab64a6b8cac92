// The checker thread of Check Hard Disk: finds the system's disk checker
// (Chkdsk of fmifs.dll, from the system directory only), reads the
// volume's file system, probes whether the volume is free when errors are
// to be fixed (offering to schedule the check at the next start when it is
// not), and runs the check.  It reports to the dialog only by sent
// messages, the dialog's questions and error boxes included.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/Thread.h"

namespace tavil {

// Checker thread -> dialog, sent (the text stays valid while it is handled).
constexpr UINT WM_CHECKDISK_PROGRESS = WM_USER + 100; // 0, percent 0..100
constexpr UINT WM_CHECKDISK_TEXT = WM_USER + 101;     // 0, const char* line of output
constexpr UINT WM_CHECKDISK_ASK = WM_USER + 103;      // 0, CheckerQuestion* -> the box's answer

// A message box the checker thread wants shown.
struct CheckerQuestion {
    const char* text;
    const char* caption;
    UINT type;
};

struct CheckRequest {
    std::string volumePath; // "\\.\C:\"
    bool fix = false;
    bool recover = false;
    uint32_t modeFlags = 0;
    HWND dialog = nullptr;
};

constexpr DWORD kCheckRan = 1;
constexpr DWORD kCheckNotRun = static_cast<DWORD>(-1);

class DiskCheckerThread : public fw::Thread {
public:
    explicit DiskCheckerThread(CheckRequest request) : m_request(std::move(request)) {}

protected:
    DWORD Run() override;

private:
    int Ask(const char* text, UINT type) const;
    CheckRequest m_request;
};

// fmifs.dll of the system directory ("" when the directory is unknown).
std::string SystemCheckerPath();

} // namespace tavil
