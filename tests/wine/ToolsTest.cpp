// The Tools page's Device Manager button by mode, the help window offline,
// and Check Hard Disk's volume list and probe under the mode flags the
// end-to-end tests cannot set (a Windows directory elsewhere), with the
// checker double in the test prefix's system directory.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "MessageBoxAnswerer.h"
#include "framework/Application.h"
#include "RecordingWindow.h"
#include "resource_ids.h"
#include "tavilcheck/catalogue/ModeFlags.h"
#include "tavilcheck/tools/CheckDiskDialog.h"
#include "tavilcheck/tools/HelpWindow.h"
#include "tavilcheck/tools/ToolsPage.h"
#include "tests/TestFiles.h"

using namespace tavil;

namespace {

// The window the pages and dialogs are made in; the controls' classes
// registered first.
HWND Parent() {
    static const bool classes = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
        ::InitCommonControlsEx(&controls);
        return ::LoadLibraryA("riched20.dll") != nullptr;
    }();
    (void)classes;
    static HWND parent = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 700, 500, nullptr, nullptr, nullptr, nullptr);
    return parent;
}

std::vector<std::string> ListedVolumes(uint32_t modeFlags) {
    MessageBoxAnswerer answerer;
    CheckDiskDialog dialog(Parent());
    dialog.modeFlags = modeFlags;
    std::vector<std::string> volumes;
    if (!dialog.Create(Parent()))
        return volumes;
    HWND list = ::GetDlgItem(dialog.hwnd(), IDC_VOLUME_LIST);
    char text[16];
    for (int row = 0; row < ::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0); ++row) {
        LVITEMA item{};
        item.pszText = text;
        item.cchTextMax = sizeof text;
        ::SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        volumes.push_back(text);
    }
    ::DestroyWindow(dialog.hwnd());
    return volumes;
}

} // namespace

TEST(ToolsPage, DeviceManagerButtonComesBackUnlessTheModeKeepsItOff) {
    struct Case {
        uint32_t flags;
        bool enabledAfter;
    } cases[] = {{0, true},
                 {FLAG_SERVICE, true},
                 {FLAG_WINDIR_OTHER, true},
                 {FLAG_SERVICE | FLAG_WINDIR_OTHER, false},
                 {FLAG_RECOVERY, false}};
    for (const Case& c : cases) {
        ToolsPage page(c.flags, "{\\rtf1 Device Manager\\par}", "{\\rtf1 Check Hard Disk\\par}");
        ASSERT_TRUE(page.Create(Parent()));
        page.LayOutTools();
        HWND button = ::GetDlgItem(page.hwnd(), IDC_DEVICE_MANAGER_OPEN);
        ::SendMessageA(page.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_DEVICE_MANAGER_OPEN, BN_CLICKED),
                       reinterpret_cast<LPARAM>(button));
        EXPECT_FALSE(::IsWindowEnabled(button)) << "flags " << c.flags;
        // Two timer ticks after cmd.exe has ended the timer stops.
        PumpUntil([] { return false; }, 1500);
        EXPECT_EQ(c.enabledAfter, ::IsWindowEnabled(button) != FALSE) << "flags " << c.flags;
        ::DestroyWindow(page.hwnd());
    }
}

TEST(HelpWindow, OfflineSaysSoAndOpensNothing) {
    MessageBoxAnswerer answerer;
    HelpWindow help(Parent(), 0, "{\\rtf1 Help\\par}", "Z:\\no\\such\\tavilhwdiag.ini");
    help.online = [] { return false; };
    ASSERT_TRUE(help.Create(Parent()));
    HWND support = ::GetDlgItem(help.hwnd(), IDC_SUPPORT_SITE);
    ::SendMessageA(help.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_SUPPORT_SITE, BN_CLICKED),
                   reinterpret_cast<LPARAM>(support));
    ASSERT_EQ(1u, answerer.boxes().size());
    EXPECT_EQ("TAVIL Hardware Diagnostics", answerer.boxes()[0].caption);
    EXPECT_EQ("Please make sure to have an active internet connection! --- (E-NORMAL-009)", answerer.boxes()[0].text);
    EXPECT_TRUE(answerer.boxes()[0].exclamation);
    ::DestroyWindow(help.hwnd());
}

TEST(CheckHardDisk, VolumeListUnderBothModes) {
    // Wine's drives: C: and Z:, both fixed; neither holds an X.
    EXPECT_EQ((std::vector<std::string>{"C:\\", "Z:\\"}), ListedVolumes(0));
    EXPECT_EQ((std::vector<std::string>{"C:\\", "Z:\\"}), ListedVolumes(FLAG_WINDIR_OTHER));
}

TEST(CheckHardDisk, WindowsElsewhereChecksWithoutTheInUseProbe) {
    // The checker double lies beside this program.
    const std::string checker = fw::SystemDirectory() + "fmifs.dll";
    ASSERT_TRUE(::CopyFileA((fw::ProgramDirectory() + "fmifs.dll").c_str(), checker.c_str(), FALSE));
    const std::string record = TempDirectory("tavil-checker") + "record.txt";
    ::SetEnvironmentVariableA("TAVIL_CHECKER_RECORD", record.c_str());
    {
        MessageBoxAnswerer answerer;
        CheckDiskDialog dialog(Parent());
        dialog.modeFlags = FLAG_WINDIR_OTHER;
        ASSERT_TRUE(dialog.Create(Parent()));
        HWND list = ::GetDlgItem(dialog.hwnd(), IDC_VOLUME_LIST);
        LVITEMA tick{};
        tick.stateMask = LVIS_STATEIMAGEMASK;
        tick.state = INDEXTOSTATEIMAGEMASK(2);
        ::SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&tick)); // C:
        ::SendDlgItemMessageA(dialog.hwnd(), IDC_FIX_OPTION, BM_SETCHECK, BST_CHECKED, 0);
        HWND start = ::GetDlgItem(dialog.hwnd(), IDC_CHECK_START);
        ::SendMessageA(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_CHECK_START, BN_CLICKED),
                       reinterpret_cast<LPARAM>(start));
        EXPECT_TRUE(PumpUntil([&] { return ::IsWindowEnabled(start) != FALSE; }));
        EXPECT_TRUE(answerer.boxes().empty()) << answerer.boxes()[0].text;
        ::DestroyWindow(dialog.hwnd());
    }
    ::SetEnvironmentVariableA("TAVIL_CHECKER_RECORD", nullptr);
    ::DeleteFileA(checker.c_str());
    EXPECT_EQ("volume=\\\\.\\C:\\ fs=NTFS fix=1 verbose=0 dirty=0 recover=0\r\n", ReadWholeFile(record));
}
