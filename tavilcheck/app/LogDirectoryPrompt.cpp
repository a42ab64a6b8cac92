#include "LogDirectoryPrompt.h"

#include <objbase.h>
#include <shlobj.h>

#include <memory>

#include "SettingsFile.h"
#include "framework/ResourceSource.h"
#include "framework/TextUtil.h"
#include "resource_ids.h"
#include "skinlib/TesselMessageBox.h"
#include "tavilcheck/catalogue/ModeFlags.h"
#include "tavilcheck/history/RunLogText.h"

namespace tavil {

namespace {

constexpr int kDirectoryCharacters = 1023;

struct ItemListFree {
    void operator()(ITEMIDLIST* list) const { ::CoTaskMemFree(list); }
};
using ItemList = std::unique_ptr<ITEMIDLIST, ItemListFree>;

// COM for the folder browser, for the life of the object.
class ComApartment {
public:
    ComApartment() : m_started(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (m_started)
            ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool m_started;
};

bool DirectoryExists(const std::string& path) {
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

FW_BEGIN_MESSAGE_MAP(LogDirectoryDialog, TesselDialog)
    FW_ON_COMMAND(IDC_LOG_DIRECTORY_BROWSE, OnBrowse)
FW_END_MESSAGE_MAP()

LogDirectoryDialog::LogDirectoryDialog(HWND owner, std::string proposed, bool windowsElsewhere)
    : TesselDialog(IDD_LOG_DIRECTORY, owner), chosen(std::move(proposed)), m_windowsElsewhere(windowsElsewhere) {}

void LogDirectoryDialog::DoDataExchange() {
    TesselDialog::DoDataExchange();
    BindItem(IDC_LOG_DIRECTORY_TEXT, m_text);
    BindItem(IDC_LOG_DIRECTORY_EDIT, m_edit);
}

BOOL LogDirectoryDialog::OnInitDialog() {
    TesselDialog::OnInitDialog();
    SetText(fw::ResourceSource::LoadString(IDS_SELECT_LOG_DIR));
    m_text.SetText(fw::ResourceSource::LoadString(IDS_LOG_DEFAULT_DIR_UNUSABLE));
    m_edit.Send(EM_LIMITTEXT, kDirectoryCharacters);
    m_edit.SetText(chosen);
    return TRUE;
}

void LogDirectoryDialog::OnOK() {
    chosen = m_edit.GetText().substr(0, kDirectoryCharacters);
    EndDialog(IDOK);
}

// Called when "..." is pressed: the folder browser, whose choice replaces
// the edit's text; cancelled, it changes nothing.
LRESULT LogDirectoryDialog::OnBrowse(WPARAM, LPARAM) {
    ComApartment com;
    ItemList root;
    if (m_windowsElsewhere) {
        ITEMIDLIST* drives = nullptr;
        if (SUCCEEDED(::SHGetSpecialFolderLocation(m_hwnd, CSIDL_DRIVES, &drives)))
            root.reset(drives);
    }
    BROWSEINFOA browse{};
    browse.hwndOwner = m_hwnd;
    browse.pidlRoot = root.get();
    browse.lpszTitle = "Pick a Directory for log files:";
    browse.ulFlags = BIF_RETURNONLYFSDIRS | (m_windowsElsewhere ? 0 : BIF_NEWDIALOGSTYLE | BIF_EDITBOX);
    ItemList picked(::SHBrowseForFolderA(&browse));
    char path[MAX_PATH] = "";
    if (picked && ::SHGetPathFromIDListA(picked.get(), path) && path[0] != '\0')
        m_edit.SetText(path);
    return 0;
}

int PromptLogDirectory(HWND owner, const std::string& settingsPath, uint32_t modeFlags, LogSettings& settings) {
    const std::string proposed = fw::WithOneTrailingBackslash(ReadSetting(settingsPath, "log", "path", "c:\\"));
    LogDirectoryDialog dialog(owner, proposed, (modeFlags & FLAG_WINDIR_OTHER) != 0);
    if (dialog.DoModal() != IDOK) {
        settings.logEnabled = false;
        if (modeFlags & FLAG_SERVICE)
            settings.withoutLogsChecked = true;
        return kLogDirectoryDone;
    }
    std::string directory = fw::Trim(dialog.chosen);
    // One level is created: its parent must exist.  A directory whose log
    // paths would not fit the path buffers is as unusable as a missing one.
    const bool usable = !directory.empty() &&
                        (DirectoryExists(directory) || ::CreateDirectoryA(directory.c_str(), nullptr)) &&
                        LogDirectoryFits(fw::WithOneTrailingBackslash(directory));
    if (!usable) {
        TesselMessageBox(IDS_LOG_DIR_NOT_FOUND, fw::ResourceSource::LoadString(IDS_WARNING).c_str(),
                         MB_OK | MB_ICONWARNING, owner);
        return kLogDirectoryUnusable;
    }
    settings.logEnabled = true;
    settings.logDirectory = fw::WithOneTrailingBackslash(directory);
    return kLogDirectoryDone;
}

} // namespace tavil
