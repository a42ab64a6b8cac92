#include "QuitQuestion.h"

#include "framework/ResourceSource.h"
#include "resource_ids.h"
#include "skinlib/TesselMessageBox.h"
#include "tavilcheck/catalogue/ModeFlags.h"

namespace tavil {

bool AskToQuit(HWND owner, uint32_t modeFlags, PowerOff& power) {
    std::string caption = fw::ResourceSource::LoadString(IDS_WARNING);
    if ((modeFlags & FLAG_SERVICE) && (modeFlags & FLAG_WINDIR_OTHER)) {
        int answer = TesselMessageBox(IDS_QUIT_WITH_SHUTDOWN, caption.c_str(),
                                      MB_YESNOCANCEL | MB_ICONINFORMATION | MB_DEFBUTTON3, owner);
        if (answer == IDYES)
            power.RequestPowerOff(); // the window closes whatever came of it
        return answer == IDYES || answer == IDNO;
    }
    return TesselMessageBox(IDS_DO_YOU_WANT_TO_QUIT, caption.c_str(), MB_YESNO | MB_ICONINFORMATION | MB_DEFBUTTON2,
                            owner) == IDYES;
}

} // namespace tavil
