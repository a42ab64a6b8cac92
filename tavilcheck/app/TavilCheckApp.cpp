#include "TavilCheckApp.h"

#include <commctrl.h>
#include <vector>

#include "CommandLine.h"
#include "SettingsFile.h"
#include "Startup.h"
#include "framework/Application.h"
#include "framework/ResourceSource.h"
#include "resource_ids.h"
#include "skinlib/TesselAPI.h"
#include "skinlib/TesselMessageBox.h"
#include "tavilcheck/catalogue/ModeFlags.h"
#include "tavilcheck/ui/MainWindow.h"

namespace tavil {

int TavilCheckApp::InitInstance() {
    if (!ClaimSingleInstance())
        return kExitRefused;

    ::LoadLibraryA("riched20.dll");
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    TesselAPI::EnableLuna(false);
    const std::string& programDirectory = fw::ProgramDirectory();

    std::string settingsLogPath = ReadSetting(programDirectory + kSettingsFileName, "log", "path", "a:\\");

    std::vector<std::string> arguments;
    for (int i = 0; i < ArgumentCount(); ++i)
        arguments.push_back(Argument(i));
    StartupOptions options = ResolveStartupOptions(ParseCommandLine(arguments), settingsLogPath, programDirectory);

    LoadResourceLibrary(programDirectory);

    WindowsDirectoryCheck windows = CheckWindowsDirectory(IsAdministrator);
    if (windows.refused) {
        std::string caption = fw::ResourceSource::LoadString(IDS_WARNING);
        TesselMessageBox(IDS_ADMIN_ONLY, caption.c_str(), MB_OK | MB_ICONWARNING);
        return kExitNormal;
    }

    MainWindow window;
    if (windows.otherDirectory)
        window.modeFlags |= FLAG_WINDIR_OTHER;
    window.logDirectory = options.logDirectory;
    window.defaultLogDirectory = options.defaultLogDirectory;
    if (options.diagMode) {
        window.diagMode = true;
        window.diagModule = options.diagModule;
        window.runCount = options.runCount;
        window.logEnabled = options.logEnabled;
    }
    window.DoModal();
    return window.exitCode();
}

} // namespace tavil
